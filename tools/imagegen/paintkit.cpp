#include "paintkit.h"

#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// Negative inside the rounded rectangle, positive outside.
qreal roundedRectDistance(const QPointF& p, const QRectF& rect, qreal radius)
{
    const qreal qx = std::abs(p.x() - rect.center().x()) - (rect.width() / 2 - radius);
    const qreal qy = std::abs(p.y() - rect.center().y()) - (rect.height() / 2 - radius);
    const qreal outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

int canvasScale = 1;

} // namespace

void setCanvasScale(int scale)
{
    canvasScale = scale;
}

QImage newCanvas(int width, int height)
{
    QImage image(width * canvasScale, height * canvasScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(canvasScale);
    image.fill(Qt::transparent);
    return image;
}

QSize logicalSize(const QImage& canvas)
{
    return canvas.size() / canvas.devicePixelRatio();
}

QImage softShadow(const QSize& size, const QRectF& shape, qreal radius, qreal sigma, const QColor& color,
                  qreal opacity)
{
    QImage layer(size * canvasScale, QImage::Format_ARGB32);
    layer.setDevicePixelRatio(canvasScale);
    for (int y = 0; y < layer.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const QPointF centre((x + 0.5) / canvasScale, (y + 0.5) / canvasScale);
            const qreal distance = roundedRectDistance(centre, shape, radius);
            const qreal coverage = 0.5 * std::erfc(distance / (sigma * M_SQRT2));
            const int alpha = qRound(255 * opacity * coverage);
            line[x] = qRgba(color.red(), color.green(), color.blue(), alpha);
        }
    }
    return layer;
}

QImage stackLayers(const QImage& bottom, const QImage& top)
{
    QImage result = bottom.convertToFormat(QImage::Format_ARGB32);
    const QImage upper = top.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        const QRgb* upperLine = reinterpret_cast<const QRgb*>(upper.constScanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb over = upperLine[x];
            const QRgb under = line[x];
            if (qAlpha(over) == 0)
                continue;
            if (qAlpha(over) == 255 || qAlpha(under) == 0) {
                line[x] = over;
                continue;
            }
            const qreal overWeight = qAlpha(over) / 255.0;
            const qreal underWeight = qAlpha(under) / 255.0 * (1 - overWeight);
            const qreal alpha = overWeight + underWeight;
            const auto mix = [&](int a, int b) { return qRound((a * overWeight + b * underWeight) / alpha); };
            line[x] = qRgba(mix(qRed(over), qRed(under)), mix(qGreen(over), qGreen(under)),
                            mix(qBlue(over), qBlue(under)), qRound(alpha * 255));
        }
    }
    return result;
}

QPainterPath textPath(const QVector<TextRun>& runs, const QPointF& baselineStart)
{
    QPainterPath path;
    // Glyph outlines may overlap themselves; winding fill keeps such overlaps solid.
    path.setFillRule(Qt::WindingFill);
    qreal x = baselineStart.x();
    for (const TextRun& run : runs) {
        path.addText(x, baselineStart.y(), run.font, run.text);
        x += QFontMetricsF(run.font).horizontalAdvance(run.text);
    }
    return path;
}

QPainterPath fitPath(const QPainterPath& path, const QRectF& box, Qt::Alignment alignment)
{
    const QRectF ink = path.boundingRect();
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    const QSizeF fitted = ink.size() * scale;
    qreal x = box.left();
    if (alignment & Qt::AlignRight)
        x = box.right() - fitted.width();
    else if (alignment & Qt::AlignHCenter)
        x = box.center().x() - fitted.width() / 2;
    qreal y = box.top();
    if (alignment & Qt::AlignBottom)
        y = box.bottom() - fitted.height();
    else if (alignment & Qt::AlignVCenter)
        y = box.center().y() - fitted.height() / 2;
    QTransform transform;
    transform.translate(x, y);
    transform.scale(scale, scale);
    transform.translate(-ink.left(), -ink.top());
    return transform.map(path);
}
