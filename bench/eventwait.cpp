#include "eventwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

bool runUntil(const std::function<bool()>& done, int timeoutMs)
{
    // processEvents() with a time limit never waits for events, so a loop of it would keep the
    // thread busy and count as its CPU time; the timer wakes the wait to look at `done` again.
    QTimer wake;
    wake.start(10);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
