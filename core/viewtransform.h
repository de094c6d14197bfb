#ifndef VIEWTRANSFORM_H
#define VIEWTRANSFORM_H

#include <QPointF>
#include <QSizeF>
#include <QVector>

// Where a picture lies in a view, in the screen's own pixels: a zoom of n draws each picture pixel
// as n by n screen pixels. From 1:1 up the zoom is whole and the picture's origin falls on a screen
// pixel, so every picture pixel is a square of the same size.
class ViewTransform
{
public:
    // From 1/8 to 32 times.
    static const QVector<double>& zoomLevels();

    double zoom() const { return scale; }
    QPointF origin() const { return offset; }
    QPointF toImage(const QPointF& view) const { return (view - offset) / scale; }
    QPointF toView(const QPointF& image) const { return image * scale + offset; }

    // The picture pixel under `anchor` stays under it.
    void zoomAbout(const QPointF& anchor, double zoom);
    // Up or down the levels, about `anchor`; beyond the ends it stays.
    void stepZoom(const QPointF& anchor, int steps);
    // The largest level at which the whole picture fits, centred.
    void fit(const QSizeF& picture, const QSizeF& view);
    void pan(const QPointF& delta);

private:
    double scale = 1;
    QPointF offset;
};

#endif // VIEWTRANSFORM_H
