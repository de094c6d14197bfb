#include "core/imagefile.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

bool writeImageFile(const QImage& image, const QString& fileName, QString* reason)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    QImageWriter writer(&file, QFileInfo(fileName).suffix().toLower().toLatin1());
    if (!writer.write(image)) {
        *reason = writer.errorString();
        file.cancelWriting();
        return false;
    }
    // Qt's commit leaves out what its own flush at closing fails to write (a disk that filled up
    // with the last bytes) and would keep the short file: the bytes must be out before it.
    if (!file.flush()) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}
