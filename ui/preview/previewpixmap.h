#ifndef PREVIEWPIXMAP_H
#define PREVIEWPIXMAP_H

#include <QPixmap>

class QImage;
class QSize;

// What a preview label of the given size shows of the picture (at its own size, left-aligned and
// vertically centred), drawn at the screen's pixel ratio: only the part shown, whatever the
// picture's size. At 1x its pixels are the picture's own.
QPixmap previewPixmap(const QImage& image, const QSize& area, qreal devicePixelRatio);

#endif // PREVIEWPIXMAP_H
