#include "processmemory.h"

#include <QFile>
#include <QList>
#include <malloc.h>
#include <unistd.h>

qint64 trimmedResidentBytes()
{
    malloc_trim(0);
    return residentBytes();
}

qint64 residentBytes()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}
