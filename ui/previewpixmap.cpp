#include "ui/previewpixmap.h"

#include <QImage>
#include <QRect>
#include <QSize>

QPixmap previewPixmap(const QImage& image, const QSize& area, qreal devicePixelRatio)
{
    if (qFuzzyCompare(devicePixelRatio, 1.0) || image.isNull())
        return QPixmap::fromImage(image);
    // The label keeps the left edge and centres vertically, dropping odd rows as QStyle does.
    const QRect shown(0, qMax(0, (image.height() - area.height()) / 2), qMin(image.width(), area.width()),
                      qMin(image.height(), area.height()));
    const QImage part = image.copy(shown);
    QPixmap pixmap = QPixmap::fromImage(
        part.scaled(part.size() * devicePixelRatio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}
