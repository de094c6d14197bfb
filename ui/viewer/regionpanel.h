#ifndef REGIONPANEL_H
#define REGIONPANEL_H

#include "core/regionstats.h"

#include <QWidget>

class HistogramWidget;
class QLabel;
class QPushButton;

// The figures of the marked region for each channel of the raw format, its histogram, and Copy,
// which puts the figures on the clipboard as text.
class RegionPanel : public QWidget
{
    Q_OBJECT

public:
    explicit RegionPanel(QWidget* parent);

    void setPicture(const QImage& received);
    void setRegion(const QRect& region);
    QString figuresText() const;
    void retranslate();

signals:
    void signalWholePicture();

public slots:
    void slotCopy();

private:
    void refresh();

    QImage picture;
    QRect region;
    RegionStats stats;
    QLabel* labelFigures;
    HistogramWidget* widgetHistogram;
    QPushButton* buttonWhole;
    QPushButton* buttonCopy;
};

#endif // REGIONPANEL_H
