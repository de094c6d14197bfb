#include "ui/preview/previewpixmap.h"

#include <QImage>
#include <QRect>
#include <QSize>

QPixmap previewPixmap(const QImage& image, const QSize& area, qreal devicePixelRatio)
{
    // The label keeps the left edge and centres vertically, dropping odd rows as QStyle does. Only
    // that part becomes a pixmap: the 32-bit pixmap of a whole 1-pixel-wide picture of 16 M rows
    // would take 64 MiB.
    const QRect shown(0, qMax(0, (image.height() - area.height()) / 2), qMin(image.width(), area.width()),
                      qMin(image.height(), area.height()));
    const QImage part = shown.size() == image.size() ? image : image.copy(shown);
    if (qFuzzyCompare(devicePixelRatio, 1.0))
        return QPixmap::fromImage(part);
    QPixmap pixmap = QPixmap::fromImage(
        part.scaled(part.size() * devicePixelRatio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}
