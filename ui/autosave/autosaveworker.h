#ifndef AUTOSAVEWORKER_H
#define AUTOSAVEWORKER_H

#include "ui/autosave/autosavejob.h"

#include <QObject>

// Writes the pictures it is given on its own thread, one after the other, and says what each
// came to. It keeps nothing between pictures.
class AutoSaveWorker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

public slots:
    // On its thread as it starts: the window and the link come first when the cores are busy.
    void slotGiveWay();
    void slotKeep(const AutoSaveJob& job);

signals:
    void signalKept(const AutoSaveJob& job, const ArchiveResult& result);
};

#endif // AUTOSAVEWORKER_H
