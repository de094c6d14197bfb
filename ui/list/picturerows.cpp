#include "ui/list/picturerows.h"

#include "core/picturestore.h"
#include "ui/list/imagerowitem.h"
#include "ui/list/thumbnail.h"

#include <QElapsedTimer>
#include <QListWidget>

namespace {
// One batch of arrivals may hold the window this long; the rest waits for the next turn. With the
// last picture started, the preview and the paint, the turn stays within a 16 ms display frame.
const int kBatchBudgetMs = 10;
} // namespace

PictureRows::PictureRows(QListWidget* list, PictureStore* store, QObject* parent)
    : QObject(parent), list(list), store(store)
{
    connect(store, &PictureStore::signalAppended, this, &PictureRows::schedule);
    connect(store, &PictureStore::signalCleared, list, &QListWidget::clear);
    connect(store, &PictureStore::signalSaved, this, &PictureRows::markSaved);
}

void PictureRows::markSaved(int row)
{
    // A row not in the list yet takes the mark when it is added.
    if (row < list->count())
        list->item(row)->setData(ImageRowItem::SavedRole, true);
}

void PictureRows::schedule()
{
    // Arrivals already queued behind this one join it.
    if (scheduled)
        return;
    scheduled = true;
    QMetaObject::invokeMethod(this, &PictureRows::addPending, Qt::QueuedConnection);
}

void PictureRows::addPending()
{
    scheduled = false;
    if (list->count() >= store->count())
        return; // a reconnect dropped them
    QElapsedTimer clock;
    clock.start();
    do {
        const StoredPicture& arrival = store->at(list->count());
        QListWidgetItem* item = new ImageRowItem(arrival.index);
        item->setData(Qt::DecorationRole, rowThumbnail(arrival.image, list->devicePixelRatioF()));
        item->setData(ImageRowItem::SavedRole, arrival.saved);
        list->addItem(item);
    } while (list->count() < store->count() && !clock.hasExpired(kBatchBudgetMs));
    emit signalBatchShown(list->count() - 1);
    if (list->count() < store->count())
        schedule();
}
