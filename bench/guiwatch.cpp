#include "guiwatch.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

GuiWatch::GuiWatch(QObject* parent) : QObject(parent), timer(new QTimer(this))
{
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(tickMs);
    connect(timer, &QTimer::timeout, this, &GuiWatch::tick);
    clock.start();
    timer->start();
}

GuiWatch::~GuiWatch()
{
    if (schedstat >= 0)
        close(schedstat);
}

void GuiWatch::reset()
{
    last = read();
    longest = Gap();
    busiest = Gap();
}

GuiWatch::Reading GuiWatch::read()
{
    Reading reading;
    reading.ns = clock.nsecsElapsed();
    reading.cpuMs = threadCpuMs();
    // The second figure of the thread's schedstat: nanoseconds spent ready to run, waiting for a core.
    // Opened on first use, not in the constructor, since the watch may move to another thread.
    if (schedstat < 0)
        schedstat = open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
    char text[96] = {};
    if (schedstat >= 0 && pread(schedstat, text, sizeof text - 1, 0) > 0) {
        char* end = nullptr;
        strtoull(text, &end, 10);
        reading.waitMs = strtoull(end, nullptr, 10) / 1e6;
    }
    return reading;
}

void GuiWatch::tick()
{
    const Reading now = read();
    Gap gap;
    gap.wallMs = (now.ns - last.ns) / 1e6;
    gap.cpuMs = now.cpuMs - last.cpuMs;
    gap.waitMs = now.waitMs - last.waitMs;
    if (gap.wallMs > longest.wallMs)
        longest = gap;
    if (gap.cpuMs > busiest.cpuMs)
        busiest = gap;
    last = now;
}

GuiWatch::CpuTime GuiWatch::threadCpu()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return {threadCpuMs(), usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3};
}

double GuiWatch::threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
