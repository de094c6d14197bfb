#include "ui/autosave/autosaveworker.h"

#include <QFileInfo>
#include <cerrno>

void AutoSaveWorker::slotKeep(const AutoSaveJob& job)
{
    ArchiveResult result;
    // Only the device's folder is made: a chosen folder that is gone (a drive taken away) fails
    // instead of growing again on the disk beneath it.
    if (QFileInfo(job.chosenFolder).isDir())
        result = PictureArchive(job.folder, job.device).keep(job.picture);
    else
        result.reason = qt_error_string(ENOENT);
    AutoSaveJob done = job;
    done.picture.image = QImage(); // the window has it
    emit signalKept(done, result);
}
