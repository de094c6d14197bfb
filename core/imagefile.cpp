#include "core/imagefile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

bool writeImageFile(const QImage& image, const QString& fileName, QString* reason, const char* format)
{
    // Encoded in memory first: a disk that fills up then fails the file's own write, which names
    // the system's reason, and never the encoder halfway (whose error path names none).
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer,
                        format ? QByteArray(format) : QFileInfo(fileName).suffix().toLower().toLatin1());
    if (!writer.write(image)) {
        *reason = writer.errorString();
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    // A write cut short by a full disk fails nothing by itself: commit would keep the part. The
    // file names no reason then; the system's last error is it.
    if (file.write(encoded) != encoded.size()) {
        *reason = qt_error_string();
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
