#ifndef VIEWERSOURCE_H
#define VIEWERSOURCE_H

#include <QImage>
#include <QObject>

class LinkSession;
class PictureStore;

// Which picture the viewer shows: a row of the store, stepped through as the list orders them, or
// the device's current picture, which it follows as new ones arrive. The previous picture is the
// row before, or the current picture before this one.
class ViewerSource : public QObject
{
    Q_OBJECT

public:
    ViewerSource(const PictureStore* store, const LinkSession* session, QObject* parent);

    void showRow(int row);
    void showCurrent(const QImage& picture);
    // The next current picture to arrive takes the viewer, as one asked for from it.
    void followCurrent() { following = true; }
    // Page Up and Page Down: false at either end. From the current picture, back is the last row.
    bool step(int rows);

    bool showsCurrent() const { return current; }
    const QImage& picture() const { return shown; }
    // Null when there is none.
    QImage previous() const;
    QString title() const;

signals:
    void signalChanged();

private:
    void currentArrived(const QImage& picture);

    const PictureStore* store;
    const LinkSession* session;
    QImage shown;
    int row = -1; // none for the current picture, or once the store was emptied
    bool current = false;
    bool following = false;
    QImage previousCurrent;
};

#endif // VIEWERSOURCE_H
