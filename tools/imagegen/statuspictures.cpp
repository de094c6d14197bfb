#include "statuspictures.h"

#include "paintkit.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

const QPointF badgeCentre(36, 35);
const qreal badgeRadius = 31;

QImage paintBadge(const QColor& top, const QColor& bottom)
{
    QImage image = newCanvas(72, 72);
    const QRectF disc(badgeCentre.x() - badgeRadius, badgeCentre.y() - badgeRadius, 2 * badgeRadius,
                      2 * badgeRadius);
    QPainter p(&image);
    p.drawImage(
        0, 0,
        softShadow(logicalSize(image), disc.translated(0, 1.5), badgeRadius, 1.6, QColor(30, 36, 56), 0.45));
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(disc.topLeft(), disc.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    // A light rim keeps the disc apart from the blue-grey it sits on.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
    p.setBrush(fill);
    p.drawEllipse(disc.adjusted(0.75, 0.75, -0.75, -0.75));
    return image;
}

// One half of a chain link, drawn opening to the right, its straight sides at y -6 and 6.
QPainterPath linkHalf(qreal openEnd, qreal capCentre)
{
    QPainterPath path;
    path.moveTo(openEnd, -6.5);
    path.lineTo(capCentre, -6.5);
    path.arcTo(QRectF(capCentre - 6.5, -6.5, 13, 13), 90, 180);
    path.lineTo(openEnd, 6.5);
    return path;
}

// The chain link lies along a diagonal; apart spreads its halves to show the break.
void drawLink(QPainter& p, qreal apart)
{
    p.save();
    p.translate(badgeCentre);
    p.rotate(-45);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPainterPath left = linkHalf(-3.5 - apart, -12.5 - apart);
    p.drawPath(left);
    p.scale(-1, 1);
    p.drawPath(left);
    p.restore();
}

} // namespace

QImage paintConnected()
{
    QImage image = paintBadge(QColor(84, 198, 124), QColor(36, 156, 88));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawLink(p, 0);
    p.translate(badgeCentre);
    p.rotate(-45);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-7, 0), QPointF(7, 0));
    return image;
}

QImage paintDisconnected()
{
    QImage image = paintBadge(QColor(238, 106, 98), QColor(200, 60, 56));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawLink(p, 4);
    // Short sparks across the gap say the link has snapped.
    p.translate(badgeCentre);
    p.rotate(-45);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    for (const qreal side : {-1.0, 1.0}) {
        p.drawLine(QPointF(-2.5, side * 9), QPointF(-4.5, side * 14));
        p.drawLine(QPointF(2.5, side * 9), QPointF(4.5, side * 14));
    }
    return image;
}
