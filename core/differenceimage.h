#ifndef DIFFERENCEIMAGE_H
#define DIFFERENCEIMAGE_H

#include <QImage>

// |current - previous| per channel of the raw format, as an RGB888 picture: no change is black,
// a change of one level is already a clear 96 of 255, the channel's whole range is 255. A grey
// picture gives grey. Null when the two differ in size or format.
QImage differenceImage(const QImage& current, const QImage& previous);

#endif // DIFFERENCEIMAGE_H
