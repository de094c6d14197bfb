#include "ui/session/storedtransfer.h"

namespace {
const int kQuietMs = 2000;
}

StoredTransfer::StoredTransfer(QObject* parent) : QObject(parent)
{
    timerQuiet.setSingleShot(true);
    timerQuiet.setInterval(kQuietMs);
    connect(&timerQuiet, &QTimer::timeout, this, &StoredTransfer::signalFinished);
}

void StoredTransfer::activity()
{
    timerQuiet.start();
}

void StoredTransfer::end()
{
    if (!isRunning())
        return;
    timerQuiet.stop();
    emit signalFinished();
}
