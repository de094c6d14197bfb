#include "brandpictures.h"

#include "fontset.h"
#include "paintkit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

QLinearGradient brandGradient(const QRectF& rect)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0, QColor(140, 151, 182));
    gradient.setColorAt(1, QColor(88, 98, 130));
    return gradient;
}

} // namespace

QImage paintTitle(const FontSet& fonts, bool chinese)
{
    QImage image = chinese ? newCanvas(390, 26) : newCanvas(393, 27);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A small lens mark, centred on the capitals' middle line.
    const QRectF mark(1, 3, 19, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(brandGradient(mark));
    p.drawRoundedRect(mark, 4.5, 4.5);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(mark.center(), 4.6, 4.6);
    p.setPen(Qt::NoPen);
    p.setBrush(KaColor::accent);
    p.drawEllipse(QPointF(15.6, 7.4), 1.5, 1.5);

    const int size = 21;
    QVector<TextRun> runs{{fonts.latin(size, true), QStringLiteral("KA ")}};
    if (chinese)
        runs.append({fonts.chinese(size), QStringLiteral("图像查看器")});
    else
        runs.append({fonts.latin(size, false), QStringLiteral("Image Viewer")});
    p.setBrush(KaColor::ink);
    p.drawPath(textPath(runs, QPointF(30, 20)));
    return image;
}

QImage paintMakerLogo(const FontSet& fonts, bool chinese)
{
    QImage image = newCanvas(114, 16);
    QVector<TextRun> runs;
    if (chinese)
        runs.append({fonts.chinese(100), QStringLiteral("卡洛影像")});
    else
        runs = {{fonts.latin(100, true), QStringLiteral("KALO")},
                {fonts.latin(100, false), QStringLiteral(" Imaging")}};
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(138, 142, 151));
    p.drawPath(
        fitPath(textPath(runs, QPointF(0, 0)), QRectF(0, 0.5, 114, 15), Qt::AlignRight | Qt::AlignVCenter));
    return image;
}

QImage paintLogo()
{
    QImage image = newCanvas(256, 256);
    const QRectF tile(16, 12, 224, 224);
    QPainter p(&image);
    p.drawImage(0, 0, softShadow(logicalSize(image), tile.translated(0, 5), 48, 6, QColor(30, 36, 56), 0.35));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(brandGradient(tile));
    p.drawRoundedRect(tile, 48, 48);

    // Camera: body and viewfinder hump in one white shape.
    QPainterPath camera;
    camera.addRoundedRect(QRectF(46, 84, 164, 112), 22, 22);
    camera.addRoundedRect(QRectF(90, 64, 76, 40), 12, 12);
    camera.setFillRule(Qt::WindingFill);
    p.setBrush(Qt::white);
    p.drawPath(camera.simplified());

    const QPointF lens(128, 140);
    p.setBrush(QColor(84, 94, 126));
    p.drawEllipse(lens, 42, 42);
    QRadialGradient glass(lens - QPointF(10, 10), 40);
    glass.setColorAt(0, QColor(128, 140, 174));
    glass.setColorAt(1, QColor(48, 56, 84));
    p.setBrush(glass);
    p.drawEllipse(lens, 30, 30);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(lens - QPointF(11, 11), 7, 7);

    p.setBrush(KaColor::accent);
    p.drawEllipse(QPointF(186, 106), 8, 8);
    return image;
}
