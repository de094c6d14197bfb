#ifndef KABENCH_PROCESSMEMORY_H
#define KABENCH_PROCESSMEMORY_H

#include <QtGlobal>

// Resident memory of this process in bytes.
qint64 residentBytes();
// The same after freed heap memory went back to the system: what is held, not what the allocator
// keeps for later. Costs milliseconds.
qint64 trimmedResidentBytes();

#endif
