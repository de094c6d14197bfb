#include "ui/viewer/regionpanel.h"

#include "ui/viewer/histogramwidget.h"
#include "ui/viewer/viewertexts.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

RegionPanel::RegionPanel(QWidget* parent)
    : QWidget(parent), labelFigures(new QLabel(this)), widgetHistogram(new HistogramWidget(this)),
      buttonWhole(new QPushButton(this)), buttonCopy(new QPushButton(this))
{
    labelFigures->setObjectName("labelFigures");
    labelFigures->setTextFormat(Qt::PlainText);
    labelFigures->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    labelFigures->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    labelFigures->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labelFigures->setWordWrap(true);
    widgetHistogram->setObjectName("widgetHistogram");
    buttonWhole->setObjectName("buttonWholePicture");
    buttonCopy->setObjectName("buttonCopyFigures");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(buttonWhole);
    buttons->addWidget(buttonCopy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(labelFigures);
    layout->addWidget(widgetHistogram, 1);
    layout->addLayout(buttons);

    connect(buttonWhole, &QPushButton::clicked, this, &RegionPanel::signalWholePicture);
    connect(buttonCopy, &QPushButton::clicked, this, &RegionPanel::slotCopy);
    retranslate();
}

void RegionPanel::setPicture(const QImage& received)
{
    picture = received;
    refresh();
}

void RegionPanel::setRegion(const QRect& marked)
{
    region = marked;
    refresh();
}

void RegionPanel::refresh()
{
    stats = regionStats(picture, region);
    widgetHistogram->setStats(stats);
    buttonCopy->setEnabled(!stats.region.isEmpty());
    retranslate();
}

QString RegionPanel::figuresText() const
{
    return stats.region.isEmpty() ? QString() : ViewerTexts::figures(stats);
}

void RegionPanel::slotCopy()
{
    if (!stats.region.isEmpty())
        QGuiApplication::clipboard()->setText(figuresText());
}

void RegionPanel::retranslate()
{
    labelFigures->setText(stats.region.isEmpty() ? tr("No region: drag with Shift held, or press A for the "
                                                      "whole picture.")
                                                 : ViewerTexts::figuresInColumns(stats));
    labelFigures->setAccessibleName(tr("Region figures"));
    widgetHistogram->setAccessibleName(tr("Histogram"));
    widgetHistogram->setAccessibleDescription(
        tr("How many pixels of the region have each level, one band per channel"));
    buttonWhole->setText(tr("Whole picture"));
    buttonWhole->setAccessibleDescription(tr("Takes the whole picture as the region (A)"));
    buttonCopy->setText(tr("Copy"));
    buttonCopy->setAccessibleDescription(tr("Puts the region's figures on the clipboard as text (Ctrl+C)"));
}
