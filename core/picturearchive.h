#ifndef PICTUREARCHIVE_H
#define PICTUREARCHIVE_H

#include "device/kadeviceinfo.h"

#include <QDateTime>
#include <QImage>
#include <QString>

// One picture to keep, with what its file records about it.
struct ArchivedPicture
{
    int index = 0; // the number the device sent
    QImage image;  // as received; its format tells the bytes per pixel
    QDateTime arrived;
};

// What keeping one picture came to.
struct ArchiveResult
{
    enum class Outcome
    {
        Written,
        AlreadyThere,
        Failed
    };
    Outcome outcome = Outcome::Failed;
    QString fileName; // the file's name in the folder, written or found; empty on failure
    QString reason;   // why it failed, in the system's words
};

// A folder that keeps stored pictures as lossless PNGs named "Image_<n>.png". A picture whose
// pixels equal a file already there under its number ("Image_<n>.png", "Image_<n>_2.png", …) is
// not written again; another picture with a taken number gets the next free "_<k>". Nothing is
// ever overwritten, and a file appears whole or not at all. Each file carries the device's four
// information lines, the picture's number, its bytes per pixel and when it arrived as text.
class PictureArchive
{
public:
    PictureArchive(const QString& folder, const KaDeviceInfo& device);

    const QString& folder() const { return dir; }
    ArchiveResult keep(const ArchivedPicture& picture);

    // A file-name-safe folder name made of the device's second information line, "device" when
    // that holds nothing usable: never "." or "..", no separators, nothing that leads elsewhere.
    static QString deviceFolderName(const KaDeviceInfo& device);

private:
    QString dir;
    KaDeviceInfo device;
};

#endif // PICTUREARCHIVE_H
