#ifndef KABENCH_GUIWATCH_H
#define KABENCH_GUIWATCH_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Watches the thread it lives on from inside: a 10 ms timer whose longest gap between ticks is the
// longest time the thread could not paint or answer. Each gap is split into the thread's own CPU
// time, the time it was ready to run but waited for a core, and the rest, in which it slept past
// its tick because the machine woke it late. The thread's own CPU time is not inflated by other
// processes.
class GuiWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int tickMs = 10;

    // The wall time between two ticks and what the thread did in it.
    struct Gap
    {
        double wallMs = 0;
        double cpuMs = 0;
        double waitMs = 0;
        double asleepMs() const { return qMax(0.0, wallMs - cpuMs - waitMs); }
    };

    // CPU time a thread has used, and the part of it spent in the kernel on its behalf.
    struct CpuTime
    {
        double ms = 0;
        double systemMs = 0;
    };

    explicit GuiWatch(QObject* parent = nullptr);
    ~GuiWatch() override;

    // Starts a new measurement of the longest gap.
    void reset();
    double longestGapMs() const { return longest.wallMs; }
    Gap longestGap() const { return longest; }
    // The gap in which the thread itself worked longest.
    Gap busiestGap() const { return busiest; }
    // CPU time the calling thread has used, in milliseconds.
    static double threadCpuMs();
    static CpuTime threadCpu();

private:
    // The thread's clock and counters at one tick.
    struct Reading
    {
        qint64 ns = 0;
        double cpuMs = 0;
        double waitMs = 0;
    };

    Reading read();
    void tick();

    QTimer* timer;
    QElapsedTimer clock;
    int schedstat = -1;
    Reading last;
    Gap longest;
    Gap busiest;
};

#endif
