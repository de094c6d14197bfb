#include "ui/preview/progressivepreview.h"

#include <cstring>

namespace {
const int kRefreshMs = 100;
}

ProgressivePreview::ProgressivePreview(const QSize& area, QObject* parent) : QObject(parent), area(area)
{
    timerRefresh.setSingleShot(true);
    timerRefresh.setInterval(kRefreshMs);
    connect(&timerRefresh, &QTimer::timeout, this, &ProgressivePreview::refresh);
}

void ProgressivePreview::frameStarted(int height)
{
    arriving = true;
    pictureHeight = height;
    // The same rounding as the label's vertical centring of the finished picture.
    top = area.height() / 2 - height / 2;
    // Made with the first rows: on a fast link most pictures are done before any.
    view = QImage();
    dirty = false;
}

void ProgressivePreview::rowsArrived(int firstRow, const QImage& rows)
{
    if (!arriving || firstRow + rows.height() > pictureHeight)
        return;
    const int from = qMax(firstRow, -top);
    const int to = qMin(firstRow + rows.height(), area.height() - top);
    if (from >= to)
        return;
    if (view.isNull()) {
        view = QImage(area, QImage::Format_ARGB32_Premultiplied);
        view.fill(Qt::transparent);
    }
    // Converted before anything paints it: grey pictures carry no colour table.
    const QImage part = rows.copy(0, from - firstRow, qMin(rows.width(), area.width()), to - from)
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(view.scanLine(top + from + y), part.constScanLine(y), size_t(part.bytesPerLine()));
    dirty = true;
    if (!timerRefresh.isActive())
        refresh();
}

void ProgressivePreview::refresh()
{
    if (!dirty || pinned)
        return;
    dirty = false;
    emit viewChanged(view);
    // Holds the next view back, so the window builds at most one per interval.
    timerRefresh.start();
}

void ProgressivePreview::frameEnded(bool complete)
{
    arriving = false;
    dirty = false;
    view = QImage();
    timerRefresh.stop();
    if (complete)
        pinned = false;
}

void ProgressivePreview::pin()
{
    pinned = true;
}

void ProgressivePreview::unpin()
{
    pinned = false;
}
