#ifndef IMAGEFILE_H
#define IMAGEFILE_H

#include <QImage>
#include <QString>

// Writes the image in the format its file name's suffix names, whole or not at all: the file is
// written under a temporary name and takes its own only once everything reached the disk, so a
// full disk or a crash never leaves part of a picture under the name. On failure `reason` says
// why, in the system's words. A format ("png") overrides the suffix's.
bool writeImageFile(const QImage& image, const QString& fileName, QString* reason,
                    const char* format = nullptr);

#endif // IMAGEFILE_H
