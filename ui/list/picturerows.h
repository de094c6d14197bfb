#ifndef PICTUREROWS_H
#define PICTUREROWS_H

#include <QObject>

class PictureStore;
class QListWidget;

// Keeps the thumbnail list in step with the store: the pictures the store holds beyond the list's
// rows become rows in batches from the event loop, so a fast link costs one list layout and one
// preview per turn, not per picture. An emptied store empties the list; a row whose picture was
// saved is marked.
class PictureRows : public QObject
{
    Q_OBJECT

public:
    PictureRows(QListWidget* list, PictureStore* store, QObject* parent);

signals:
    // A batch ended with this row, the newest on show.
    void signalBatchShown(int row);

private:
    void schedule();
    void addPending();
    void markSaved(int row);

    QListWidget* list;
    PictureStore* store;
    bool scheduled = false;
};

#endif // PICTUREROWS_H
