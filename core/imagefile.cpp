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
        *reason = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}
