#ifndef PAINTKIT_H
#define PAINTKIT_H

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QVector>

// Colours the program's widgets and style sheets also use; pictures and widgets must agree exactly.
namespace KaColor {
inline const QColor header(255, 255, 255);
inline const QColor separator(210, 212, 216);
inline const QColor sideDark(119, 129, 157);
inline const QColor sideLight(182, 188, 205);
inline const QColor sideSeparator(164, 171, 191);
inline const QColor content(233, 234, 235);
inline const QColor windowShadow(153, 153, 153);
inline const QColor ink(46, 56, 82);
inline const QColor icon(120, 120, 120);
inline const QColor accent(232, 68, 65);
inline const QColor highlight(47, 124, 220);
} // namespace KaColor

// Pictures are drawn in the window's pixels; this many device pixels make one of them (1, or 2
// for the @2x variants). Painters on a canvas scale by it themselves.
void setCanvasScale(int scale);

// A fully transparent picture to paint on, width by height window pixels.
QImage newCanvas(int width, int height);

// The canvas's size in window pixels.
QSize logicalSize(const QImage& canvas);

// The shadow a rounded rectangle casts when blurred by a Gaussian of the given sigma, as a
// straight-alpha canvas of the given window size in exactly the given colour. It is worked out per pixel from
// the distance to the shape, which for a rectangle is as good as a real blur.
QImage softShadow(const QSize& size, const QRectF& shape, qreal radius, qreal sigma, const QColor& color,
                  qreal opacity);

// Lays top over bottom (same size). Done by hand rather than with QPainter, whose premultiplied
// blending would shift the colour of faint pixels; here a pixel only one layer covers keeps its
// colour exactly.
QImage stackLayers(const QImage& bottom, const QImage& top);

struct TextRun
{
    QFont font;
    QString text;
};

// Outlines of runs of text set one after another from the baseline start point.
QPainterPath textPath(const QVector<TextRun>& runs, const QPointF& baselineStart);

// Scales a path so its ink fits the box as large as it can, then places it by the alignment.
QPainterPath fitPath(const QPainterPath& path, const QRectF& box, Qt::Alignment alignment);

#endif // PAINTKIT_H
