#ifndef PICTURESTORE_H
#define PICTURESTORE_H

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QObject>

// One stored picture as it came from the device.
struct StoredPicture
{
    int index = 0; // the number the device sent: neither unique nor in order
    QImage image;  // as received; its format tells the bytes per pixel
    QDateTime arrived;
    bool saved = false;
};

// Every stored picture received since the last connection, in arrival order: the one place the
// list, the preview and the exports read them from. Pictures are only ever added, all dropped
// at a new connection, and marked once saved.
class PictureStore : public QObject
{
    Q_OBJECT

public:
    explicit PictureStore(QObject* parent = nullptr);

    int count() const { return pictures.size(); }
    bool isEmpty() const { return pictures.isEmpty(); }
    const StoredPicture& at(int row) const { return pictures.at(row); }
    const StoredPicture& last() const { return pictures.last(); }
    QList<QImage> images() const;
    QList<int> indexes() const;

    void append(const StoredPicture& picture);
    void clear();
    void markSaved(int row);

signals:
    void signalAppended(int row);
    void signalCleared();
    void signalSaved(int row);

private:
    QList<StoredPicture> pictures;
};

#endif // PICTURESTORE_H
