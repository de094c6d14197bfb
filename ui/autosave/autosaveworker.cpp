#include "ui/autosave/autosaveworker.h"

#include <QFileInfo>
#include <cerrno>
#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

void AutoSaveWorker::slotGiveWay()
{
#ifdef Q_OS_LINUX
    // Qt's thread priorities do nothing under Linux's normal scheduling; a nice value does.
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 10);
#endif
}

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
