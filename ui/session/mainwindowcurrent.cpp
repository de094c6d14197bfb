// The picture under way in the preview, and the device's current picture: one at a time with F5
// or the preview's menu, or as a live view with Shift+F5.
#include "ui/window/mainwindow.h"

#include "ui/preview/previewpixmap.h"
#include "ui/preview/progressivepreview.h"
#include "ui/session/currentpicturecontrol.h"
#include "ui/session/linksession.h"
#include "ui/session/transferstatuslabel.h"

#include <QLabel>
#include <QPixmap>
#include <QShortcut>

void MainWindow::initCurrentPicture()
{
    progressivePreview = new ProgressivePreview(labelPreview->size(), this);
    connect(linkSession, &LinkSession::signalFrameStarted, progressivePreview,
            &ProgressivePreview::frameStarted);
    connect(linkSession, &LinkSession::signalRowsArrived, progressivePreview,
            &ProgressivePreview::rowsArrived);
    connect(progressivePreview, &ProgressivePreview::viewChanged, this, &MainWindow::slotPartialView);
    connect(linkSession, &LinkSession::signalFrameDropped, this, &MainWindow::slotPartialDropped);
    connect(linkSession, &LinkSession::signalCurrentImage, this, &MainWindow::slotDeviceGotCurrentImage);

    QShortcut* one = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(one, &QShortcut::activated, this, &MainWindow::slotCurrentPicture);
    QShortcut* live = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5), this);
    connect(live, &QShortcut::activated, this, &MainWindow::slotLiveView);
}

bool MainWindow::mayAskForCurrentPicture()
{
    const std::optional<TransferStatusLabel::Refusal> refusal = linkSession->currentPictureRefusal();
    if (refusal)
        labelTransfer->currentRefused(*refusal);
    return !refusal;
}

void MainWindow::slotCurrentPicture()
{
    if (!mayAskForCurrentPicture())
        return;
    CurrentPictureControl* currentPicture = linkSession->currentPicture();
    if (currentPicture->isPending()) {
        labelTransfer->currentRefused(TransferStatusLabel::Refusal::AlreadyAsked);
        return;
    }
    // Asked for, so it is wanted in the preview.
    progressivePreview->unpin();
    currentPicture->request();
}

void MainWindow::slotLiveView()
{
    CurrentPictureControl* currentPicture = linkSession->currentPicture();
    if (currentPicture->isLive()) {
        currentPicture->stopLive();
        return;
    }
    if (!mayAskForCurrentPicture())
        return;
    progressivePreview->unpin();
    currentPicture->startLive();
}

void MainWindow::slotDeviceGotCurrentImage(QImage* img)
{
    const QImage picture = img ? *img : QImage();
    delete img;
    progressivePreview->frameEnded(true);
    lastCurrentImage = picture;
    currentPictureTime = QDateTime::currentDateTime();
    showLastCurrentPicture();
}

void MainWindow::showLastCurrentPicture()
{
    currentImage = lastCurrentImage;
    previewIndex.reset();
    restorePreview();
}

void MainWindow::slotPartialView(const QImage& view)
{
    // Export All shows each picture it writes; it has the preview until it is done.
    if (exportRunning)
        return;
    labelPreview->setPixmap(previewPixmap(view, labelPreview->size(), labelPreview->devicePixelRatioF()));
    partialOnShow = true;
    showCaption();
}

void MainWindow::slotPartialDropped()
{
    progressivePreview->frameEnded(false);
    if (partialOnShow)
        restorePreview();
}

void MainWindow::restorePreview()
{
    partialOnShow = false;
    labelPreview->setPixmap(
        previewPixmap(currentImage, labelPreview->size(), labelPreview->devicePixelRatioF()));
    showCaption();
}

void MainWindow::showCaption()
{
    labelImageNumber->setText(previewCaption());
    // A screen reader hears what the preview shows, not only that there is one; each view of a
    // picture arriving is not news.
    const QString name = previewAccessibleName();
    if (name != labelPreview->accessibleName())
        labelPreview->setAccessibleName(name);
}

QString MainWindow::previewCaption() const
{
    const bool current = partialOnShow ? progressivePreview->isCurrentPicture() : previewIsCurrentPicture();
    if (current)
        return tr("Current picture");
    const std::optional<int> index =
        partialOnShow ? std::optional<int>(progressivePreview->pictureIndex()) : previewIndex;
    return "Image Number. " + (index ? QString::number(*index) : QString());
}

QString MainWindow::previewAccessibleName() const
{
    if (partialOnShow)
        return progressivePreview->isCurrentPicture()
                   ? tr("Preview: the current picture, arriving")
                   : tr("Preview: picture %1, arriving").arg(progressivePreview->pictureIndex());
    if (currentImage.isNull())
        return tr("Preview: no picture");
    const int bytesPerPixel = currentImage.depth() / 8;
    const QString size = tr("%1 by %2 pixels, %3 per pixel")
                             .arg(currentImage.width())
                             .arg(currentImage.height())
                             .arg(bytesPerPixel == 1 ? tr("1 byte") : tr("%1 bytes").arg(bytesPerPixel));
    return previewIndex ? tr("Preview: picture %1, %2").arg(*previewIndex).arg(size)
                        : tr("Preview: the current picture, %1").arg(size);
}

QString MainWindow::suggestedSaveName(const QString& suffix) const
{
    if (!previewIsCurrentPicture())
        return QString();
    return "Current_picture_" + currentPictureTime.toString("yyyy-MM-dd_HH-mm-ss") + suffix;
}
