#include "core/viewtransform.h"

#include <QtMath>
#include <algorithm>

namespace {

// The whole offset within [low, high] nearest to `wanted`; `wanted` itself when none is there.
double wholeWithin(double wanted, double low, double high)
{
    const double nearest = std::clamp(double(qRound(wanted)), std::ceil(low), std::floor(high));
    return nearest >= low && nearest <= high ? nearest : wanted;
}

} // namespace

const QVector<double>& ViewTransform::zoomLevels()
{
    static const QVector<double> levels{0.125, 0.25, 0.5, 1, 2, 3, 4, 6, 8, 12, 16, 24, 32};
    return levels;
}

void ViewTransform::zoomAbout(const QPointF& anchor, double zoom)
{
    const QPointF image = toImage(anchor);
    scale = std::clamp(zoom, zoomLevels().first(), zoomLevels().last());
    const QPointF wanted = anchor - image * scale;
    if (scale < 1) {
        offset = wanted;
        return;
    }
    // Whole, and still with the anchor inside the picture pixel it was in.
    const double px = std::floor(image.x());
    const double py = std::floor(image.y());
    const double margin = 1e-9;
    offset =
        QPointF(wholeWithin(wanted.x(), anchor.x() - (px + 1) * scale + margin, anchor.x() - px * scale),
                wholeWithin(wanted.y(), anchor.y() - (py + 1) * scale + margin, anchor.y() - py * scale));
}

void ViewTransform::stepZoom(const QPointF& anchor, int steps)
{
    const QVector<double>& levels = zoomLevels();
    int at = 0;
    while (at + 1 < levels.size() && levels.at(at + 1) <= scale)
        ++at;
    // A zoom between levels counts as the one below it going up, and as its own going down.
    if (steps < 0 && levels.at(at) < scale)
        ++at;
    zoomAbout(anchor, levels.at(std::clamp(at + steps, 0, int(levels.size()) - 1)));
}

void ViewTransform::fit(const QSizeF& picture, const QSizeF& view)
{
    if (picture.isEmpty())
        return;
    const double room = std::min(view.width() / picture.width(), view.height() / picture.height());
    scale = zoomLevels().first();
    for (double level : zoomLevels())
        if (level <= room)
            scale = level;
    offset =
        QPointF((view.width() - picture.width() * scale) / 2, (view.height() - picture.height() * scale) / 2);
    if (scale >= 1)
        offset = QPointF(std::floor(offset.x()), std::floor(offset.y()));
}

void ViewTransform::pan(const QPointF& delta)
{
    offset += scale >= 1 ? QPointF(qRound(delta.x()), qRound(delta.y())) : delta;
}
