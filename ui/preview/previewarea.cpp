#include "ui/preview/previewarea.h"

#include "ui/preview/previewpixmap.h"
#include "ui/preview/progressivepreview.h"

#include <QLabel>
#include <QPixmap>

namespace {
const QRect kExportRegion(58, 58, 372, 322);
}

PreviewArea::PreviewArea(QLabel* frame, QLabel* preview, QLabel* caption, const LinkSession* session,
                         QObject* parent)
    : QObject(parent), labelFrame(frame), labelPreview(preview), labelImageNumber(caption), session(session),
      progressivePreview(new ProgressivePreview(preview->size(), this))
{
    connect(session, &LinkSession::signalFrameStarted, progressivePreview,
            [this](bool, int, int, int height) { progressivePreview->frameStarted(height); });
    connect(
        session, &LinkSession::signalRowsArrived, progressivePreview,
        [this](bool, int firstRow, const QImage& rows) { progressivePreview->rowsArrived(firstRow, rows); });
    connect(session, &LinkSession::signalFrameEnded, this, &PreviewArea::frameEnded);
    connect(session, &LinkSession::signalCurrentImage, this, &PreviewArea::currentPictureArrived);
    connect(session, &LinkSession::signalDeviceConnect, this, [this](bool connected) {
        if (connected)
            followArrivals();
    });
    connect(progressivePreview, &ProgressivePreview::viewChanged, this, &PreviewArea::partialView);
}

void PreviewArea::keepChosen()
{
    progressivePreview->pin();
}

void PreviewArea::followArrivals()
{
    progressivePreview->unpin();
}

void PreviewArea::show(const QImage& image, int index)
{
    shownImage = image;
    shownIndex = index;
    restore();
}

void PreviewArea::currentPictureArrived(const QImage& picture)
{
    lastCurrentImage = picture;
    currentPictureTime = QDateTime::currentDateTime();
    showLastCurrentPicture();
}

void PreviewArea::showLastCurrentPicture()
{
    shownImage = lastCurrentImage;
    shownIndex.reset();
    restore();
}

void PreviewArea::partialView(const QImage& view)
{
    if (held || !session->frameUnderWay())
        return;
    labelPreview->setPixmap(previewPixmap(view, labelPreview->size(), labelPreview->devicePixelRatioF()));
    partialOnShow = session->frameUnderWay();
    retranslate();
}

void PreviewArea::frameEnded(bool complete)
{
    progressivePreview->frameEnded(complete);
    // A complete picture takes the preview when the window shows it; a dropped one never comes.
    if (!complete && partialOnShow)
        restore();
}

void PreviewArea::restore()
{
    partialOnShow.reset();
    labelPreview->setPixmap(
        previewPixmap(shownImage, labelPreview->size(), labelPreview->devicePixelRatioF()));
    retranslate();
}

void PreviewArea::retranslate()
{
    labelImageNumber->setText(caption());
    // A screen reader hears what the preview shows, not only that there is one; each view of a
    // picture arriving is not news.
    const QString name = accessibleName();
    if (name != labelPreview->accessibleName())
        labelPreview->setAccessibleName(name);
}

QString PreviewArea::caption() const
{
    const bool current = partialOnShow ? partialOnShow->current : showsCurrentPicture();
    if (current)
        return tr("Current picture");
    const std::optional<int> index = partialOnShow ? std::optional<int>(partialOnShow->index) : shownIndex;
    return "Image Number. " + (index ? QString::number(*index) : QString());
}

QString PreviewArea::accessibleName() const
{
    if (partialOnShow)
        return partialOnShow->current ? tr("Preview: the current picture, arriving")
                                      : tr("Preview: picture %1, arriving").arg(partialOnShow->index);
    if (shownImage.isNull())
        return tr("Preview: no picture");
    const int bytesPerPixel = shownImage.depth() / 8;
    const QString size = tr("%1 by %2 pixels, %3 per pixel")
                             .arg(shownImage.width())
                             .arg(shownImage.height())
                             .arg(bytesPerPixel == 1 ? tr("1 byte") : tr("%1 bytes").arg(bytesPerPixel));
    return shownIndex ? tr("Preview: picture %1, %2").arg(*shownIndex).arg(size)
                      : tr("Preview: the current picture, %1").arg(size);
}

QImage PreviewArea::exportRegion()
{
    // A picture still arriving is never written: the grab shows the last complete one.
    const std::optional<LinkSession::Frame> partial = partialOnShow;
    const QPixmap partialPixmap = labelPreview->pixmap(Qt::ReturnByValue);
    if (partial)
        restore();
    QImage region = labelFrame->grab(kExportRegion).toImage();
    if (partial) {
        labelPreview->setPixmap(partialPixmap);
        partialOnShow = partial;
        retranslate();
    }
    // A scaled screen grabs more pixels; the file keeps its size in pixels whatever the screen.
    if (region.size() != kExportRegion.size())
        region = region.scaled(kExportRegion.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return region;
}

QString PreviewArea::suggestedSaveName(const QString& suffix) const
{
    if (!showsCurrentPicture())
        return QString();
    return "Current_picture_" + currentPictureTime.toString("yyyy-MM-dd_HH-mm-ss") + suffix;
}
