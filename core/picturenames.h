#ifndef PICTURENAMES_H
#define PICTURENAMES_H

#include <QList>
#include <QStringList>

// The file names of the stored pictures, in list order: "Image_<n>.<suffix>" after each picture's
// number, and for a number that came before "Image_<n>_2.<suffix>", "_3" and so on, so that a
// device sending one number twice loses no picture.
QStringList storedPictureNames(const QList<int>& indexes, const QString& suffix);

#endif // PICTURENAMES_H
