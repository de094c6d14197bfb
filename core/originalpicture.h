#ifndef ORIGINALPICTURE_H
#define ORIGINALPICTURE_H

#include <QImage>

// The received picture as a PNG can hold it losslessly: grey levels for one byte per pixel, the
// 5-6-5 colours widened as the preview shows them for two, the colours themselves for three.
QImage originalPicture(const QImage& received);

#endif // ORIGINALPICTURE_H
