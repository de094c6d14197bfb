#ifndef HISTOGRAMWIDGET_H
#define HISTOGRAMWIDGET_H

#include "core/regionstats.h"

#include <QWidget>

// The region's histogram, one band per channel of the raw format, each level a column.
class HistogramWidget : public QWidget
{
    Q_OBJECT

public:
    explicit HistogramWidget(QWidget* parent);

    void setStats(const RegionStats& stats);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RegionStats figures;
};

#endif // HISTOGRAMWIDGET_H
