#include "windowpictures.h"

#include "fontset.h"
#include "paintkit.h"

#include <QPainter>

namespace {

QColor controlColor(bool hovered)
{
    return hovered ? KaColor::accent : KaColor::icon;
}

QPen roundPen(const QColor& color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap);
}

} // namespace

QImage paintBackground()
{
    const QSize size(945, 614);
    // Panel spans x 18..928 and y 15..598; widgets are placed on the areas below, pixel for pixel.
    const QRect panel(18, 15, 911, 584);

    QImage body = newCanvas(size.width(), size.height());
    QPainter p(&body);
    p.fillRect(QRect(18, 15, 911, 114), KaColor::header);
    p.fillRect(QRect(18, 129, 911, 1), KaColor::separator);
    p.fillRect(QRect(18, 130, 182, 136), KaColor::sideDark);
    p.fillRect(QRect(18, 266, 182, 1), KaColor::sideSeparator);
    p.fillRect(QRect(18, 267, 182, 332), KaColor::sideLight);
    p.fillRect(QRect(200, 130, 1, 469), KaColor::separator);
    p.fillRect(QRect(201, 130, 728, 469), KaColor::content);
    // Round the corners by masking, so the areas inside keep their exact colours. The mask is a
    // whole picture because a masking fill would leave the pixels outside its path alone.
    QImage mask = newCanvas(size.width(), size.height());
    QPainter m(&mask);
    m.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(panel), 4, 4);
    m.fillPath(outline, Qt::black);
    m.end();
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.drawImage(0, 0, mask);
    p.end();

    // Sigma is small enough that the shadow has died out before the picture's edges.
    const QImage shadow =
        softShadow(size, QRectF(panel).translated(0, 1), 4, 4.2, KaColor::windowShadow, 0.9);
    return stackLayers(shadow, body);
}

QImage paintFrame()
{
    QImage image = newCanvas(488, 438);
    const QRectF card(40, 40, 408, 358);

    QPainter p(&image);
    p.drawImage(0, 0, softShadow(logicalSize(image), card.translated(0, 3), 6, 7, QColor(40, 50, 75), 0.16));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(220, 222, 227), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    // The preview sits at (64,64,360,240); the hairline around it shows where an image will appear.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(63, 63, 362, 242), QColor(214, 217, 223));
    p.fillRect(QRect(64, 64, 360, 240), QColor(245, 246, 247));
    return image;
}

QImage paintUnderline()
{
    QImage image = newCanvas(77, 4);
    image.fill(KaColor::accent);
    return image;
}

QImage paintClose(bool hovered)
{
    QImage image = newCanvas(17, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(roundPen(controlColor(hovered), 1.8));
    p.drawLine(QPointF(4.5, 4.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 4.5), QPointF(4.5, 12.5));
    return image;
}

QImage paintMinimize(bool hovered)
{
    QImage image = newCanvas(17, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(controlColor(hovered));
    // Whole pixel rows keep the bar sharp.
    p.drawRoundedRect(QRectF(3, 8, 11, 2), 1, 1);
    return image;
}

QImage paintHelp(const FontSet& fonts, bool hovered)
{
    QImage image = newCanvas(32, 32);
    const QColor color = hovered ? KaColor::highlight : KaColor::icon;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor tint = color;
    tint.setAlpha(hovered ? 36 : 0);
    p.setPen(QPen(color, 1.8));
    p.setBrush(tint);
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const QPainterPath mark = textPath({{fonts.latin(100, true), QStringLiteral("?")}}, QPointF(0, 0));
    p.drawPath(fitPath(mark, QRectF(8, 8.5, 16, 15), Qt::AlignCenter));
    return image;
}
