#include "ui/autosave/autosave.h"

#include "core/picturestore.h"
#include "ui/autosave/autosavesetting.h"
#include "ui/autosave/autosaveworker.h"
#include "ui/export/filechooser.h"
#include "ui/session/linksession.h"
#include "ui/session/transferstatuslabel.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QThread>

namespace {
// How long closing waits for the pictures still to be written; PNGs of the device's sizes take
// milliseconds each.
const unsigned long kFinishMs = 10000;

QString notSaved(const AutoSaveJob& job, const ArchiveResult& result)
{
    return QStringLiteral("picture %1 not saved in %2: %3")
        .arg(job.picture.index)
        .arg(job.folder, result.reason);
}

} // namespace

AutoSave::AutoSave(PictureStore* store, const LinkSession* session, TransferStatusLabel* line,
                   QWidget* window)
    : QObject(window), store(store), session(session), line(line), window(window),
      thread(new QThread(nullptr)), worker(new AutoSaveWorker(nullptr))
{
    qRegisterMetaType<AutoSaveJob>("AutoSaveJob");
    qRegisterMetaType<ArchiveResult>("ArchiveResult");
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::started, worker, &AutoSaveWorker::slotGiveWay, Qt::DirectConnection);
    worker->moveToThread(thread);
    thread->start(QThread::LowPriority);
    connect(this, &AutoSave::signalKeep, worker, &AutoSaveWorker::slotKeep);
    connect(worker, &AutoSaveWorker::signalKept, this, &AutoSave::pictureKept);
    connect(store, &PictureStore::signalAppended, this, &AutoSave::pictureAppended);
    connect(store, &PictureStore::signalCleared, this, &AutoSave::storeCleared);
    refresh();
    beginTally();
}

AutoSave::~AutoSave()
{
    shutDown();
}

void AutoSave::refresh()
{
    const QString folder = AutoSaveSetting::folder();
    if (folder == chosenFolder)
        return;
    chosenFolder = folder;
    setDevice(device);
    beginTally();
}

void AutoSave::setDevice(const KaDeviceInfo& info)
{
    device = info;
    deviceFolder = QDir(chosenFolder).filePath(PictureArchive::deviceFolderName(device));
}

void AutoSave::beginTally()
{
    tally = AutoSaveTally();
    // Before the first connection the device's folder is not known yet.
    if (isOn())
        tally.folder = QDir::toNativeSeparators(generation == 0 ? chosenFolder : deviceFolder);
    failureToTell = false;
    line->showSaving(tally, false);
}

void AutoSave::tell(bool newFailure)
{
    failureToTell = failureToTell || newFailure;
    if (tellScheduled)
        return;
    tellScheduled = true;
    QMetaObject::invokeMethod(this, &AutoSave::tellPending, Qt::QueuedConnection);
}

void AutoSave::tellPending()
{
    tellScheduled = false;
    line->showSaving(tally, failureToTell);
    failureToTell = false;
}

void AutoSave::slotToggle()
{
    if (isOn()) {
        AutoSaveSetting::store(QString());
        qDebug().noquote() << "saving each picture as it arrives: off";
        refresh();
        return;
    }
    const QString folder = FileChooser::folder(window, tr("Choose the Folder for Each Arriving Picture"));
    if (folder.isEmpty())
        return;
    AutoSaveSetting::store(QDir(folder).absolutePath());
    qDebug().noquote() << "saving each picture as it arrives into" << QDir(folder).absolutePath();
    refresh();
    // What the window holds already is saved too; a picture there before is found, not doubled.
    for (int row = 0; row < store->count(); ++row)
        pictureAppended(row);
}

void AutoSave::pictureAppended(int row)
{
    if (!isOn())
        return;
    const StoredPicture& picture = store->at(row);
    AutoSaveJob job;
    job.generation = generation;
    job.row = row;
    job.chosenFolder = chosenFolder;
    job.folder = deviceFolder;
    job.device = device;
    job.picture = {picture.index, picture.image, picture.arrived};
    ++pending;
    emit signalKeep(job);
}

void AutoSave::storeCleared()
{
    // A new connection: what comes back for the old pictures marks nothing and counts no more.
    ++generation;
    setDevice(session->deviceInfo());
    refresh();
    beginTally();
}

void AutoSave::pictureKept(const AutoSaveJob& job, const ArchiveResult& result)
{
    --pending;
    const bool saved = result.outcome != ArchiveResult::Outcome::Failed;
    if (job.generation != generation) {
        if (!saved)
            qDebug().noquote() << notSaved(job, result);
        return;
    }
    if (saved)
        store->markSaved(job.row);
    if (!isOn())
        return;
    tally.folder = QDir::toNativeSeparators(job.folder);
    bool newFailure = false;
    if (saved) {
        ++(result.outcome == ArchiveResult::Outcome::Written ? tally.written : tally.alreadyThere);
        if (!tally.failure.isEmpty())
            qDebug().noquote() << "saving each picture into" << job.folder << "again";
        tally.failure.clear();
    } else {
        ++tally.failed;
        // Once while it fails; the next picture is tried all the same.
        newFailure = tally.failure.isEmpty();
        if (newFailure)
            qDebug().noquote() << notSaved(job, result) +
                                      "; the next pictures are tried, told again once one is saved";
        tally.failure = result.reason;
    }
    tell(newFailure);
}

void AutoSave::shutDown()
{
    if (!thread)
        return;
    // Queued behind every picture given, so the worker writes them all before it stops.
    QThread* running = thread;
    QMetaObject::invokeMethod(
        worker, [running] { running->quit(); }, Qt::QueuedConnection);
    if (running->wait(kFinishMs))
        delete running;
    thread = nullptr;
    // Their results: the failures go to the log.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (pending > 0)
        qDebug() << pending << "pictures not saved yet" << kFinishMs << "ms after closing began, left behind";
}
