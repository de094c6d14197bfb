#include "ui/list/thumbnail.h"

#include <QImage>

namespace {
const int kThumbnailSampling = 4;
} // namespace

QPixmap rowThumbnail(const QImage& image, qreal devicePixelRatio)
{
    if (image.isNull())
        return QPixmap();
    // Decided before scaling: a 1x44000 picture scaled to the full width would take 2 GB.
    const bool fillsWidth =
        qint64(image.height()) * kThumbnailArea.width() <= qint64(image.width()) * kThumbnailArea.height();
    // Smooth scaling and the pixmap work on a 32-bit copy of the whole picture, four times a 1-byte
    // picture's own memory. A picture far larger than the area is first sampled down in its own
    // format, to a few times the area.
    const QSize sampled = kThumbnailArea * kThumbnailSampling;
    QImage source = image;
    if (fillsWidth && image.width() > sampled.width()) {
        const int height = int(qMax<qint64>(1, qint64(image.height()) * sampled.width() / image.width()));
        source = image.scaled(sampled.width(), height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    } else if (!fillsWidth && image.height() > sampled.height()) {
        const int width = int(qMax<qint64>(1, qint64(image.width()) * sampled.height() / image.height()));
        source = image.scaled(width, sampled.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    const QPixmap picture = QPixmap::fromImage(source);
    QPixmap thumbnail = fillsWidth
                            ? picture.scaledToWidth(qRound(kThumbnailArea.width() * devicePixelRatio),
                                                    Qt::SmoothTransformation)
                            : picture.scaledToHeight(qRound(kThumbnailArea.height() * devicePixelRatio),
                                                     Qt::SmoothTransformation);
    thumbnail.setDevicePixelRatio(devicePixelRatio);
    return thumbnail;
}
