#ifndef KAFRAMEHEADER_H
#define KAFRAMEHEADER_H

#include <QtGlobal>

// Bytes of the binary header after an "AT_SI" or "AT_CI" line: width, height and bytes per
// pixel as big-endian words, and for a stored picture its index.
const qint32 kStoredHeaderSize = 16;
const qint32 kCurrentHeaderSize = 12;

#endif // KAFRAMEHEADER_H
