#ifndef ARCHIVEWRITER_H
#define ARCHIVEWRITER_H

#include "core/picturearchive.h"

#include <QObject>
#include <QSemaphore>
#include <QThread>
#include <functional>
#include <memory>

// Keeps pictures in an archive on a thread of its own, so that receiving the next picture and
// writing the last one share the machine's cores. At most a few pictures wait: a caller with more
// waits too, which holds the line back rather than letting memory grow with the transfer.
class ArchiveWriter
{
public:
    using Done = std::function<void(const ArchiveResult&)>;

    // `done` calls run on the receiver's thread, in the order the pictures were handed over.
    explicit ArchiveWriter(QObject* receiver);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void keep(std::shared_ptr<PictureArchive> archive, const ArchivedPicture& picture, Done done);
    // Returns when every picture handed over is written or failed and its `done` has run.
    void drain();

private:
    QObject* receiver;
    QThread thread;
    QObject* worker;
    QSemaphore free_slots;
};

#endif // ARCHIVEWRITER_H
