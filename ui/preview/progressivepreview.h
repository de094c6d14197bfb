#ifndef PROGRESSIVEPREVIEW_H
#define PROGRESSIVEPREVIEW_H

#include <QImage>
#include <QObject>
#include <QTimer>

// The picture under way as far as it has arrived: its rows placed where the preview will show the
// finished picture, the rest transparent, so the preview's empty look shows through. New rows are
// converted as they come; a view is handed out at most ten times a second.
class ProgressivePreview : public QObject
{
    Q_OBJECT

public:
    // area: the preview's size; what falls outside it is never converted.
    explicit ProgressivePreview(const QSize& area, QObject* parent = nullptr);

    void frameStarted(int height);
    void rowsArrived(int firstRow, const QImage& rows);
    // The picture under way ended: complete (which also ends a pin) or dropped.
    void frameEnded(bool complete);
    // The user chose what the preview shows: no view until the next picture is complete.
    void pin();
    void unpin();

signals:
    void viewChanged(const QImage& view);

private:
    void refresh();

    QSize area;
    bool arriving = false;
    bool pinned = false;
    bool dirty = false;
    int pictureHeight = 0;
    // Where the picture's first row lands in the preview, as the label centres it.
    int top = 0;
    QImage view;
    QTimer timerRefresh;
};

#endif // PROGRESSIVEPREVIEW_H
