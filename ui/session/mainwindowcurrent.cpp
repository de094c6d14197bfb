// The device's current picture: one at a time with F5 or the preview's menu, or as a live view
// with Shift+F5, when the link session lets it be asked for.
#include "ui/window/mainwindow.h"

#include "ui/preview/previewarea.h"
#include "ui/preview/progressivepreview.h"
#include "ui/session/currentpicturecontrol.h"
#include "ui/session/linksession.h"
#include "ui/session/transferstatuslabel.h"

#include <QShortcut>

void MainWindow::initCurrentPicture()
{
    ProgressivePreview* progressive = previewArea->progressive();
    connect(linkSession, &LinkSession::signalFrameStarted, progressive, &ProgressivePreview::frameStarted);
    connect(linkSession, &LinkSession::signalRowsArrived, progressive, &ProgressivePreview::rowsArrived);
    connect(linkSession, &LinkSession::signalFrameDropped, previewArea, &PreviewArea::partialDropped);
    connect(linkSession, &LinkSession::signalCurrentImage, previewArea, &PreviewArea::currentPictureArrived);

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
    previewArea->progressive()->unpin();
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
    previewArea->progressive()->unpin();
    currentPicture->startLive();
}
