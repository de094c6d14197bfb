#include "ui/viewer/histogramwidget.h"

#include <QPainter>
#include <algorithm>

HistogramWidget::HistogramWidget(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(256, 150);
}

void HistogramWidget::setStats(const RegionStats& stats)
{
    figures = stats;
    update();
}

void HistogramWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(32, 32, 36));
    const int bands = figures.channels.size();
    if (!bands || figures.region.isEmpty())
        return;
    const QColor colours[] = {QColor(235, 80, 80), QColor(80, 210, 90), QColor(90, 140, 250)};
    const double bandHeight = double(height()) / bands;
    for (int c = 0; c < bands; ++c) {
        const QVector<qint64>& counts = figures.channels.at(c).histogram;
        const qint64 highest = *std::max_element(counts.cbegin(), counts.cend());
        const QColor colour = bands == 1 ? QColor(220, 220, 220) : colours[c];
        const double bottom = bandHeight * (c + 1) - 1;
        const double column = double(width()) / counts.size();
        for (int level = 0; level < counts.size(); ++level) {
            if (!counts.at(level))
                continue;
            // At least a pixel, so a lone level still shows.
            const double h = std::max(1.0, (bandHeight - 3) * double(counts.at(level)) / double(highest));
            painter.fillRect(QRectF(level * column, bottom - h, std::max(1.0, column), h), colour);
        }
        painter.fillRect(QRectF(0, bottom, width(), 1), QColor(90, 90, 96));
    }
}
