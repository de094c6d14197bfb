#include "ui/viewer/pixelcanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace {
const double kGridFrom = 8;
const QColor kGrid(128, 128, 128, 120);
const QColor kBackground(48, 48, 52);
} // namespace

PixelCanvas::PixelCanvas(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void PixelCanvas::setPicture(const QImage& shown)
{
    // RGB32 draws fastest. Pictures of one size share the view; another size is fitted anew.
    const bool refit = !fitted || shown.size() != picture.size();
    picture = shown.convertToFormat(QImage::Format_RGB32);
    if (refit && isVisible())
        fitView();
    if (refit)
        setRegion(marked);
    viewChanged();
}

void PixelCanvas::setRegion(const QRect& region)
{
    const QRect inside = region.intersected(picture.rect());
    if (inside == marked)
        return;
    marked = inside;
    update();
    emit signalRegionChanged(marked);
}

QPointF PixelCanvas::anchor() const
{
    return pointer ? screen(*pointer) : screen(QPointF(width() / 2.0, height() / 2.0));
}

QPoint PixelCanvas::pixelAt(const QPointF& logical) const
{
    const QPointF image = view.toImage(screen(logical));
    return QPoint(int(std::floor(image.x())), int(std::floor(image.y())));
}

std::optional<QPoint> PixelCanvas::pixelInFocus() const
{
    const QPoint pixel = pixelAt(pointer ? *pointer : QPointF(width() / 2.0, height() / 2.0));
    if (!picture.rect().contains(pixel))
        return std::nullopt;
    return pixel;
}

void PixelCanvas::zoomBy(int steps)
{
    view.stepZoom(anchor(), steps);
    viewChanged();
}

void PixelCanvas::zoomTo(double zoom)
{
    view.zoomAbout(anchor(), zoom);
    viewChanged();
}

void PixelCanvas::fitView()
{
    view.fit(picture.size(), QSizeF(size()) * devicePixelRatioF());
    fitted = !picture.isNull();
    viewChanged();
}

void PixelCanvas::panBy(const QPoint& screenPixels)
{
    view.pan(screenPixels);
    viewChanged();
}

void PixelCanvas::viewChanged()
{
    update();
    emit signalPixelInFocus();
}

void PixelCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const double ratio = devicePixelRatioF();
    // From here on one unit is one pixel of the screen.
    painter.scale(1 / ratio, 1 / ratio);
    const QRectF area(QPointF(0, 0), QSizeF(size()) * ratio);
    painter.fillRect(area, kBackground);
    if (picture.isNull())
        return;
    const double zoom = view.zoom();
    // Only the picture pixels in view, so 32 times costs what 1:1 does.
    const QPointF first = view.toImage(area.topLeft());
    const QPointF last = view.toImage(area.bottomRight());
    const QRect source = QRect(QPoint(int(std::floor(first.x())), int(std::floor(first.y()))),
                               QPoint(int(std::ceil(last.x())), int(std::ceil(last.y()))))
                             .intersected(picture.rect());
    if (source.isEmpty())
        return;
    const QRectF target(view.toView(source.topLeft()), QSizeF(source.size()) * zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture, source);

    if (zoom >= kGridFrom) {
        for (int x = source.left(); x <= source.right() + 1; ++x)
            painter.fillRect(
                QRectF(target.left() + (x - source.left()) * zoom, target.top(), 1, target.height()), kGrid);
        for (int y = source.top(); y <= source.bottom() + 1; ++y)
            painter.fillRect(
                QRectF(target.left(), target.top() + (y - source.top()) * zoom, target.width(), 1), kGrid);
    }
    // The pixel the readout names, where its square is large enough to frame.
    const std::optional<QPoint> focus = pixelInFocus();
    if (zoom >= kGridFrom && focus) {
        const QRectF box(view.toView(*focus), QSizeF(zoom, zoom));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::white, 0));
        painter.drawRect(box.adjusted(1, 1, -2, -2));
    }
    if (!marked.isEmpty()) {
        const QRectF box(view.toView(marked.topLeft()), QSizeF(marked.size()) * zoom);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
        painter.setPen(QPen(QColor(255, 210, 0), 0, Qt::DashLine));
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
    }
}

void PixelCanvas::resizeEvent(QResizeEvent*)
{
    if (!fitted && !picture.isNull())
        fitView();
}

void PixelCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    dragFrom = event->localPos();
    if (event->modifiers() & Qt::ShiftModifier) {
        drag = Drag::Region;
        regionFrom = pixelAt(dragFrom);
        setRegion(QRect(regionFrom, QSize(1, 1)));
    } else {
        drag = Drag::Pan;
        setCursor(Qt::ClosedHandCursor);
    }
}

void PixelCanvas::mouseMoveEvent(QMouseEvent* event)
{
    pointer = event->localPos();
    if (drag == Drag::Pan) {
        const QPointF moved = screen(event->localPos() - dragFrom);
        // What a whole zoom leaves of the move waits for the next one.
        const QPoint whole = moved.toPoint();
        dragFrom += QPointF(whole) / devicePixelRatioF();
        view.pan(whole);
    } else if (drag == Drag::Region) {
        const QPoint to = pixelAt(event->localPos());
        setRegion(QRect(QPoint(std::min(to.x(), regionFrom.x()), std::min(to.y(), regionFrom.y())),
                        QPoint(std::max(to.x(), regionFrom.x()), std::max(to.y(), regionFrom.y()))));
    }
    viewChanged();
}

void PixelCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    drag = Drag::None;
    unsetCursor();
}

void PixelCanvas::wheelEvent(QWheelEvent* event)
{
    pointer = event->position();
    // Touchpads send eighths of a notch; whole notches zoom.
    wheelRest += event->angleDelta().y();
    const int steps = wheelRest / 120;
    wheelRest -= steps * 120;
    if (steps)
        zoomBy(steps);
    event->accept();
}

void PixelCanvas::keyPressEvent(QKeyEvent* event)
{
    const int step = std::max(16, std::min(width(), height()) / 8) * int(devicePixelRatioF());
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return zoomBy(1);
    case Qt::Key_Minus:
        return zoomBy(-1);
    case Qt::Key_0:
        return zoomTo(1);
    case Qt::Key_F:
        return fitView();
    case Qt::Key_Left:
        return panBy(QPoint(step, 0));
    case Qt::Key_Right:
        return panBy(QPoint(-step, 0));
    case Qt::Key_Up:
        return panBy(QPoint(0, step));
    case Qt::Key_Down:
        return panBy(QPoint(0, -step));
    default:
        QWidget::keyPressEvent(event);
    }
}

void PixelCanvas::leaveEvent(QEvent*)
{
    pointer.reset();
    emit signalPixelInFocus();
}
