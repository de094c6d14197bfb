#ifndef PREVIEWPIXMAP_H
#define PREVIEWPIXMAP_H

#include <QPixmap>

class QImage;
class QSize;

// What a preview label of the given size shows of the picture (at its own size, left-aligned and
// vertically centred), drawn at the screen's pixel ratio. At 1x it is the whole picture, as it
// always was; on high-DPI screens only the part shown is scaled, whatever the picture's size.
QPixmap previewPixmap(const QImage& image, const QSize& area, qreal devicePixelRatio);

#endif // PREVIEWPIXMAP_H
