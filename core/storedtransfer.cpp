#include "core/storedtransfer.h"

namespace {
const int kQuietMs = 2000;
const int kFirstAnswerMs = 3000;
} // namespace

StoredTransfer::StoredTransfer(QObject* parent) : QObject(parent)
{
    timerQuiet.setSingleShot(true);
    connect(&timerQuiet, &QTimer::timeout, this, &StoredTransfer::signalFinished);
}

void StoredTransfer::activity()
{
    timerQuiet.start(kQuietMs);
}

void StoredTransfer::requested()
{
    timerQuiet.start(kFirstAnswerMs);
}

void StoredTransfer::end()
{
    if (!isRunning())
        return;
    timerQuiet.stop();
    emit signalFinished();
}
