#include "core/picturearchive.h"

#include "core/imagefile.h"
#include "core/originalpicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QTime>
#include <cstdlib>

namespace {

const int kMaxFolderName = 64;

QString candidateName(int index, int count)
{
    return count == 1 ? QStringLiteral("Image_%1.png").arg(index)
                      : QStringLiteral("Image_%1_%2.png").arg(index).arg(count);
}

bool samePixels(const QString& path, const QImage& original)
{
    QImageReader reader(path, "png");
    const QImage there = reader.read();
    return !there.isNull() && there.size() == original.size() &&
           there.convertToFormat(original.format()) == original;
}

QImage withText(QImage image, const ArchivedPicture& picture, const KaDeviceInfo& device)
{
    image.setText("Device line 1", device.line1);
    image.setText("Device line 2", device.line2);
    image.setText("Device line 3", device.line3);
    image.setText("Device line 4", device.line4);
    image.setText("Picture number", QString::number(picture.index));
    image.setText("Bytes per pixel", QString::number(picture.image.depth() / 8));
    // With its offset, so the time reads the same wherever the file goes; written out, since Qt
    // gives a zero offset as "Z".
    const int offset = picture.arrived.offsetFromUtc();
    const QString arrived = picture.arrived.toOffsetFromUtc(offset).toString("yyyy-MM-ddTHH:mm:ss") +
                            (offset < 0 ? '-' : '+') +
                            QTime(0, 0).addSecs(std::abs(offset)).toString("HH:mm");
    image.setText("Arrived", arrived);
    return image;
}

} // namespace

PictureArchive::PictureArchive(const QString& folder, const KaDeviceInfo& device)
    : dir(folder), device(device)
{
}

ArchiveResult PictureArchive::keep(const ArchivedPicture& picture)
{
    ArchiveResult result;
    const QImage original = originalPicture(picture.image);
    QDir().mkpath(dir);
    const QDir folder(dir);
    for (int count = 1;; ++count) {
        const QString name = candidateName(picture.index, count);
        const QString path = folder.filePath(name);
        if (QFile::exists(path)) {
            if (samePixels(path, original)) {
                result.outcome = ArchiveResult::Outcome::AlreadyThere;
                result.fileName = name;
                return result;
            }
            continue;
        }
        // Written whole under a hidden name, then renamed only where nothing is: a file that
        // appeared meanwhile under the name is never replaced. The writer takes the format from
        // the suffix, so the hidden name ends in ".png" too.
        const QString part = folder.filePath("." + QFileInfo(name).completeBaseName() + ".part.png");
        if (!writeImageFile(withText(original, picture, device), part, &result.reason))
            return result;
        if (!QFile::rename(part, path)) {
            QFile::remove(part);
            if (QFile::exists(path))
                continue;
            result.reason = QFile(path).errorString();
            return result;
        }
        result.outcome = ArchiveResult::Outcome::Written;
        result.fileName = name;
        return result;
    }
}

QString PictureArchive::deviceFolderName(const KaDeviceInfo& device)
{
    // The line comes from the device: only plain characters stay, so it can name nothing but a
    // folder inside the chosen one.
    QString name = device.line2;
    name.replace(QRegularExpression("[^A-Za-z0-9._-]+"), "_");
    name.remove(QRegularExpression("^[._]+|[._]+$"));
    name.truncate(kMaxFolderName);
    name.remove(QRegularExpression("[._]+$"));
    if (name.isEmpty())
        return "device";
    // Names Windows keeps for its devices, whatever the suffix.
    static const QRegularExpression reserved("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])(\\..*)?$",
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        name.prepend("device_");
    return name;
}
