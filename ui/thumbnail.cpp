#include "ui/thumbnail.h"

#include <QImage>

QPixmap rowThumbnail(const QImage& image)
{
    if (image.isNull())
        return QPixmap();
    // Decided before scaling: a 1x44000 picture scaled to the full width would take 2 GB.
    const bool fillsWidth =
        qint64(image.height()) * kThumbnailArea.width() <= qint64(image.width()) * kThumbnailArea.height();
    const QPixmap picture = QPixmap::fromImage(image);
    return fillsWidth ? picture.scaledToWidth(kThumbnailArea.width(), Qt::SmoothTransformation)
                      : picture.scaledToHeight(kThumbnailArea.height(), Qt::SmoothTransformation);
}
