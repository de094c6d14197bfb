#include "kapull/archivewriter.h"

#include <QCoreApplication>

namespace {
// Pictures written or waiting at once; with the one under way, what a transfer holds in memory.
const int kWaiting = 4;
} // namespace

ArchiveWriter::ArchiveWriter(QObject* receiver)
    : receiver(receiver), worker(new QObject), free_slots(kWaiting)
{
    worker->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, worker, &QObject::deleteLater);
    thread.start();
}

ArchiveWriter::~ArchiveWriter()
{
    // Pictures handed over are still written; their receiver is going, so nobody is told.
    QMetaObject::invokeMethod(
        worker, [] {}, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}

void ArchiveWriter::keep(std::shared_ptr<PictureArchive> archive, const ArchivedPicture& picture, Done done)
{
    free_slots.acquire();
    QMetaObject::invokeMethod(
        worker,
        [this, archive, picture, done] {
            const ArchiveResult result = archive->keep(picture);
            free_slots.release();
            QMetaObject::invokeMethod(
                receiver, [done, result] { done(result); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void ArchiveWriter::drain()
{
    // The worker takes its calls in order: once this one ran, every picture before it is done.
    QMetaObject::invokeMethod(
        worker, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::sendPostedEvents(receiver, QEvent::MetaCall);
}
