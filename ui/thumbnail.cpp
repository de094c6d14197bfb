#include "ui/thumbnail.h"

#include <QImage>

QPixmap rowThumbnail(const QImage& image, qreal devicePixelRatio)
{
    if (image.isNull())
        return QPixmap();
    // Decided before scaling: a 1x44000 picture scaled to the full width would take 2 GB.
    const bool fillsWidth =
        qint64(image.height()) * kThumbnailArea.width() <= qint64(image.width()) * kThumbnailArea.height();
    const QPixmap picture = QPixmap::fromImage(image);
    QPixmap thumbnail = fillsWidth
                            ? picture.scaledToWidth(qRound(kThumbnailArea.width() * devicePixelRatio),
                                                    Qt::SmoothTransformation)
                            : picture.scaledToHeight(qRound(kThumbnailArea.height() * devicePixelRatio),
                                                     Qt::SmoothTransformation);
    thumbnail.setDevicePixelRatio(devicePixelRatio);
    return thumbnail;
}
