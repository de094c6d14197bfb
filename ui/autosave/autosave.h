#ifndef AUTOSAVE_H
#define AUTOSAVE_H

#include "ui/autosave/autosavejob.h"
#include "ui/autosave/autosavetally.h"

#include <QKeySequence>
#include <QObject>

class AutoSaveWorker;
class LinkSession;
class PictureStore;
class QThread;
class QWidget;
class TransferStatusLabel;

// Saves each picture that enters the store as a PNG in the chosen folder, in a folder named after
// the device, on a thread of its own: the window hands it copies and goes on. It marks the
// store's rows that were saved or found there, and tells the transfer line where they went, how
// many were new or there already, and a failure once until a picture is saved again.
class AutoSave : public QObject
{
    Q_OBJECT

public:
    AutoSave(PictureStore* store, const LinkSession* session, TransferStatusLabel* line, QWidget* window);
    ~AutoSave() override;

    static QKeySequence shortcut() { return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S); }
    bool isOn() const { return !chosenFolder.isEmpty(); }

    // Reads the setting again; at start and at each language refresh.
    void refresh();
    // Lets the worker write what it was given, within a bound, and says what it left.
    void shutDown();

public slots:
    // Off when on; otherwise asks for a folder and saves what the window holds, then each arrival.
    void slotToggle();

signals:
    void signalKeep(const AutoSaveJob& job);

private:
    void pictureAppended(int row);
    void storeCleared();
    void pictureKept(const AutoSaveJob& job, const ArchiveResult& result);
    void beginTally();
    void setDevice(const KaDeviceInfo& info);
    // The transfer line follows once per turn of the event loop, however many results came.
    void tell(bool newFailure);
    void tellPending();

    PictureStore* store;
    const LinkSession* session;
    TransferStatusLabel* line;
    QWidget* window;
    QThread* thread;
    AutoSaveWorker* worker;
    QString chosenFolder;
    // What the device said of itself at the connection the store's pictures came from, and its
    // folder in the chosen one.
    KaDeviceInfo device;
    QString deviceFolder;
    quint64 generation = 0;
    int pending = 0;
    AutoSaveTally tally;
    bool tellScheduled = false;
    bool failureToTell = false;
};

#endif // AUTOSAVE_H
