#include "core/imagefile.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

bool writeImageFile(const QImage& image, const QString& fileName, QString* reason, const char* format)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    QImageWriter writer(&file,
                        format ? QByteArray(format) : QFileInfo(fileName).suffix().toLower().toLatin1());
    if (!writer.write(image)) {
        if (file.error() == QFileDevice::NoError) {
            *reason = writer.errorString();
            file.cancelWriting();
            return false;
        }
        // A full disk: the file knows only that a write failed until commit, which refuses to
        // keep anything after a failed write, flushes what is left and names the system's reason.
        file.commit();
        *reason = file.errorString();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}
