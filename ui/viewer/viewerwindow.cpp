#include "ui/viewer/viewerwindow.h"

#include "core/differenceimage.h"
#include "core/originalpicture.h"
#include "core/rawpixel.h"
#include "ui/viewer/pixelcanvas.h"
#include "ui/viewer/recordingcontrol.h"
#include "ui/viewer/regionpanel.h"
#include "ui/viewer/viewersource.h"
#include "ui/viewer/viewertexts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // Selectable, and so reached with Tab and read by screen readers.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

} // namespace

ViewerWindow::ViewerWindow(const PictureStore* store, const LinkSession* session, QWidget* parent)
    : QWidget(parent, Qt::Window), source(new ViewerSource(store, session, this)),
      widgetCanvas(new PixelCanvas(this)), labelReadout(makeLabel(this, "labelReadout")),
      widgetRegion(new RegionPanel(this)), buttonDifference(new QPushButton(this)),
      labelDifference(makeLabel(this, "labelDifference")), buttonRecord(new QPushButton(this)),
      labelRecording(makeLabel(this, "labelRecording")),
      recording(new RecordingControl(buttonRecord, labelRecording, session, this))
{
    setObjectName("viewerWindow");
    widgetCanvas->setObjectName("widgetCanvas");
    widgetRegion->setObjectName("widgetRegion");
    buttonDifference->setObjectName("buttonDifference");
    buttonDifference->setCheckable(true);
    buttonRecord->setObjectName("buttonRecord");
    labelReadout->setMinimumHeight(3 * fontMetrics().height());

    auto* side = new QVBoxLayout;
    side->addWidget(labelReadout);
    side->addWidget(widgetRegion, 1);
    side->addWidget(buttonDifference);
    side->addWidget(labelDifference);
    side->addWidget(buttonRecord);
    side->addWidget(labelRecording);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(widgetCanvas, 1);
    auto* sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    sideWidget->setFixedWidth(320);
    layout->addWidget(sideWidget);
    resize(1020, 640);

    setTabOrder(widgetCanvas, labelReadout);
    connect(source, &ViewerSource::signalChanged, this, &ViewerWindow::pictureChanged);
    connect(widgetCanvas, &PixelCanvas::signalPixelInFocus, this, &ViewerWindow::updateReadout);
    connect(widgetCanvas, &PixelCanvas::signalRegionChanged, widgetRegion, &RegionPanel::setRegion);
    connect(widgetRegion, &RegionPanel::signalWholePicture, this, &ViewerWindow::slotWholePicture);
    connect(buttonDifference, &QPushButton::toggled, this, &ViewerWindow::slotDifference);
    retranslate();
}

void ViewerWindow::showRow(int row)
{
    source->showRow(row);
}

void ViewerWindow::showCurrent(const QImage& picture)
{
    source->showCurrent(picture);
}

void ViewerWindow::followCurrent()
{
    source->followCurrent();
}

void ViewerWindow::slotPrevious()
{
    source->step(-1);
}

void ViewerWindow::slotNext()
{
    source->step(1);
}

void ViewerWindow::slotDifference(bool)
{
    present();
}

void ViewerWindow::slotWholePicture()
{
    widgetCanvas->setRegion(source->picture().rect());
}

void ViewerWindow::pictureChanged()
{
    widgetRegion->setPicture(source->picture());
    present();
}

void ViewerWindow::present()
{
    // The picture as the main window shows it, or how far each pixel moved from the previous one.
    const QImage& picture = source->picture();
    QImage shown = originalPicture(picture);
    QString note;
    if (buttonDifference->isChecked()) {
        const QImage previous = source->previous();
        const QImage difference = previous.isNull() ? QImage() : differenceImage(picture, previous);
        if (!difference.isNull())
            shown = difference;
        note = previous.isNull()     ? tr("No previous picture to compare with.")
               : difference.isNull() ? tr("The previous picture differs in size or format.")
                                     : tr("Black: unchanged; a change of one level shows at 96 of 255.");
    }
    labelDifference->setText(note);
    labelDifference->setVisible(!note.isEmpty());
    widgetCanvas->setPicture(shown);
    setWindowTitle(
        tr("%1 – %2 – KA Image Viewer")
            .arg(source->title(), buttonDifference->isChecked() ? tr("difference") : tr("viewer")));
    updateReadout();
}

void ViewerWindow::updateReadout()
{
    const std::optional<QPoint> at = widgetCanvas->pixelInFocus();
    const QImage& picture = source->picture();
    QString text = at && picture.rect().contains(*at)
                       ? ViewerTexts::pixel(*at, rawPixel(picture, at->x(), at->y()))
                       : tr("No pixel under the pointer");
    const double zoom = widgetCanvas->transform().zoom();
    text += "\n" + (zoom >= 1 ? tr("Zoom %1:1").arg(zoom) : tr("Zoom 1:%1").arg(1 / zoom));
    if (text != labelReadout->text())
        labelReadout->setText(text);
}

void ViewerWindow::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier) || event->key() == Qt::Key_F5;
    if (event->matches(QKeySequence::Copy))
        return widgetRegion->slotCopy();
    switch (plain ? event->key() : 0) {
    case Qt::Key_PageUp:
        return slotPrevious();
    case Qt::Key_PageDown:
        return slotNext();
    case Qt::Key_D:
        return buttonDifference->toggle();
    case Qt::Key_A:
        return slotWholePicture();
    case Qt::Key_R:
        return recording->slotToggle();
    case Qt::Key_F5:
        if (event->modifiers() & Qt::ShiftModifier)
            emit signalLiveView();
        else
            emit signalCurrentPicture();
        return;
    case Qt::Key_Escape:
        // A region goes first, then the window.
        if (!widgetCanvas->region().isEmpty())
            return widgetCanvas->setRegion(QRect());
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ViewerWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ViewerWindow::closeEvent(QCloseEvent* event)
{
    // A recording ends with its window; a minimised one goes on.
    recording->slotStop();
    QWidget::closeEvent(event);
}

void ViewerWindow::retranslate()
{
    widgetCanvas->setAccessibleName(tr("Picture, zoomed"));
    widgetCanvas->setAccessibleDescription(
        tr("Wheel, + and - zoom about the pointer, 0 is 1:1, F fits; drag or the arrow keys pan; drag "
           "with Shift to mark a region; Page Up and Page Down step through the pictures"));
    labelReadout->setAccessibleDescription(tr("The pixel under the pointer and its raw value"));
    buttonDifference->setText(tr("Difference from the previous picture"));
    buttonDifference->setAccessibleDescription(
        tr("Shows |this - previous| for each channel, amplified so that one level shows (D)"));
    widgetRegion->retranslate();
    recording->retranslate();
    present();
}
