#ifndef PIXELCANVAS_H
#define PIXELCANVAS_H

#include "core/viewtransform.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <optional>

// The picture zoomed and panned: drawn in the screen's own pixels without smoothing, each picture
// pixel a sharp square beyond 1:1, with a grid from 8 times. The wheel, + and - zoom about the
// pointer, 0 is 1:1, F fits; a drag or the arrow keys pan, a drag with Shift marks a region.
class PixelCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit PixelCanvas(QWidget* parent);

    // The picture as shown; for one of the same size the zoom, the position and the region stay.
    void setPicture(const QImage& shown);
    const ViewTransform& transform() const { return view; }
    // In picture pixels; empty for none.
    QRect region() const { return marked; }
    void setRegion(const QRect& region);
    // The picture pixel under the pointer, or under the view's middle when the pointer is away.
    std::optional<QPoint> pixelInFocus() const;

    void zoomBy(int steps);
    void zoomTo(double zoom);
    void fitView();
    void panBy(const QPoint& screenPixels);

signals:
    void signalPixelInFocus();
    void signalRegionChanged(const QRect& region);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // A point of the widget in the screen's pixels.
    QPointF screen(const QPointF& logical) const { return logical * devicePixelRatioF(); }
    QPointF anchor() const;
    QPoint pixelAt(const QPointF& logical) const;
    void viewChanged();

    QImage picture;
    ViewTransform view;
    bool fitted = false;
    QRect marked;
    std::optional<QPointF> pointer;
    enum class Drag
    {
        None,
        Pan,
        Region
    } drag = Drag::None;
    QPointF dragFrom;
    QPoint regionFrom;
    int wheelRest = 0;
};

#endif // PIXELCANVAS_H
