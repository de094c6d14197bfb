#ifndef WINDOWPICTURE_H
#define WINDOWPICTURE_H

#include <QPixmap>
#include <QSize>
#include <QString>

// One of the window's pictures (":/image/frame"), in its @2x variant on screens of 1.5x and
// more, where Qt would pick it too.
QPixmap windowPicture(const QString& path);

// The picture's size in the window's own (logical) pixels, whichever variant it is.
QSize logicalSize(const QPixmap& pixmap);

#endif // WINDOWPICTURE_H
