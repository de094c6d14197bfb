#ifndef THUMBNAIL_H
#define THUMBNAIL_H

#include <QPixmap>
#include <QSize>

class QImage;

// The area a thumbnail may fill in its row.
inline const QSize kThumbnailArea(110, 100);

// The picture scaled to fit the thumbnail area: pictures wide enough fill its width, as they always
// have; any other shape fills its height instead, so no shape can ask for more than the area.
// Drawn at the screen's pixel ratio, so it stays sharp on high-DPI screens.
QPixmap rowThumbnail(const QImage& image, qreal devicePixelRatio = 1.0);

#endif // THUMBNAIL_H
