#include "guiwatch.h"

#include <time.h>

GuiWatch::GuiWatch(QObject* parent) : QObject(parent)
{
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(tickMs);
    connect(&timer, &QTimer::timeout, this, &GuiWatch::tick);
    clock.start();
    timer.start();
}

void GuiWatch::reset()
{
    lastNs = clock.nsecsElapsed();
    longestNs = 0;
}

void GuiWatch::tick()
{
    const qint64 now = clock.nsecsElapsed();
    longestNs = qMax(longestNs, now - lastNs);
    lastNs = now;
}

double GuiWatch::threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
