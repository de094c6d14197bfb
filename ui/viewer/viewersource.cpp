#include "ui/viewer/viewersource.h"

#include "core/picturestore.h"
#include "ui/session/currentpicturecontrol.h"
#include "ui/session/linksession.h"

ViewerSource::ViewerSource(const PictureStore* store, const LinkSession* session, QObject* parent)
    : QObject(parent), store(store), session(session)
{
    connect(session, &LinkSession::signalCurrentImage, this, &ViewerSource::currentArrived);
    // The picture on show is kept; only its place in the list is gone.
    connect(store, &PictureStore::signalCleared, this, [this] {
        row = -1;
        emit signalChanged();
    });
}

void ViewerSource::showRow(int wanted)
{
    if (wanted < 0 || wanted >= store->count())
        return;
    row = wanted;
    current = false;
    following = false;
    shown = store->at(row).image;
    emit signalChanged();
}

void ViewerSource::showCurrent(const QImage& picture)
{
    if (!current)
        previousCurrent = QImage();
    row = -1;
    current = true;
    shown = picture;
    emit signalChanged();
}

bool ViewerSource::step(int rows)
{
    const int from = current ? store->count() : row;
    const int to = from + rows;
    if (from < 0 || to < 0 || to >= store->count())
        return false;
    showRow(to);
    return true;
}

QImage ViewerSource::previous() const
{
    if (current)
        return previousCurrent;
    return row > 0 ? store->at(row - 1).image : QImage();
}

void ViewerSource::currentArrived(const QImage& picture)
{
    if (!current && !following)
        return;
    following = false;
    if (!current)
        return showCurrent(picture);
    previousCurrent = shown;
    shown = picture;
    emit signalChanged();
}

QString ViewerSource::title() const
{
    if (current)
        return session->currentPicture()->isLive() ? tr("Current picture, live") : tr("Current picture");
    if (row < 0)
        return tr("Picture no longer in the list");
    return tr("Picture %1 (%2 of %3)").arg(store->at(row).index).arg(row + 1).arg(store->count());
}
