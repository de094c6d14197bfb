#include "core/picturestore.h"

PictureStore::PictureStore(QObject* parent) : QObject(parent) {}

QList<QImage> PictureStore::images() const
{
    QList<QImage> result;
    result.reserve(pictures.size());
    for (const StoredPicture& picture : pictures)
        result.append(picture.image);
    return result;
}

QList<int> PictureStore::indexes() const
{
    QList<int> result;
    result.reserve(pictures.size());
    for (const StoredPicture& picture : pictures)
        result.append(picture.index);
    return result;
}

void PictureStore::append(const StoredPicture& picture)
{
    pictures.append(picture);
    emit signalAppended(pictures.size() - 1);
}

void PictureStore::clear()
{
    pictures.clear();
    emit signalCleared();
}

void PictureStore::markSaved(int row)
{
    if (row < 0 || row >= pictures.size() || pictures.at(row).saved)
        return;
    pictures[row].saved = true;
    emit signalSaved(row);
}
