#ifndef PREVIEWAREA_H
#define PREVIEWAREA_H

#include "ui/session/linksession.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <optional>

class ProgressivePreview;
class QLabel;

// The large preview in the frame: the picture on show with its caption, the picture under way as
// far as it has arrived, and the device's last current picture. It draws into the window's labels
// and tells screen readers what it shows. It follows the link session's pictures under way.
class PreviewArea : public QObject
{
    Q_OBJECT

public:
    PreviewArea(QLabel* frame, QLabel* preview, QLabel* caption, const LinkSession* session, QObject* parent);

    const QImage& image() const { return shownImage; }
    // A picture without a number on show is the device's current picture.
    bool showsCurrentPicture() const { return !shownIndex && !shownImage.isNull(); }
    bool hasLastCurrentPicture() const { return !lastCurrentImage.isNull(); }
    // A chosen picture stays while others arrive, until the next is asked for or the link is new.
    void keepChosen();
    void followArrivals();

    void show(const QImage& image, int index);
    void currentPictureArrived(const QImage& picture);
    void showLastCurrentPicture();
    // Export All shows each picture it writes: views of a picture under way wait meanwhile.
    void setHeld(bool isHeld) { held = isHeld; }
    // The caption and what screen readers hear, in the current language.
    void retranslate();

    // The export region as drawn, never with a picture still arriving.
    QImage exportRegion();
    // The name a save dialog suggests: the current picture's carries the time it arrived.
    QString suggestedSaveName(const QString& suffix) const;

public slots:
    // A view of the picture under way, as far as it has arrived.
    void partialView(const QImage& view);

private:
    void frameEnded(bool complete);
    // Shows the picture again, in place of one still arriving.
    void restore();
    QString caption() const;
    QString accessibleName() const;

    QLabel* labelFrame;
    QLabel* labelPreview;
    QLabel* labelImageNumber;
    const LinkSession* session;
    ProgressivePreview* progressivePreview;
    QImage shownImage;
    // The number of the stored picture on show; none for the current picture.
    std::optional<int> shownIndex;
    // The picture still arriving that the preview shows in place of shownImage.
    std::optional<LinkSession::Frame> partialOnShow;
    bool held = false;
    // Kept, once the preview moves on, until a newer one arrives.
    QImage lastCurrentImage;
    QDateTime currentPictureTime;
};

#endif // PREVIEWAREA_H
