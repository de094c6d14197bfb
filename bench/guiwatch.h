#ifndef KABENCH_GUIWATCH_H
#define KABENCH_GUIWATCH_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Watches the GUI thread from inside: a 10 ms timer whose longest gap between ticks is the longest
// time the window could not paint or answer, and the thread's own CPU time, which other processes
// on a busy machine do not inflate.
class GuiWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int tickMs = 10;

    explicit GuiWatch(QObject* parent = nullptr);

    // Starts a new measurement of the longest gap.
    void reset();
    double longestGapMs() const { return longestNs / 1e6; }
    // CPU time the calling thread has used, in milliseconds.
    static double threadCpuMs();

private:
    void tick();

    QTimer timer;
    QElapsedTimer clock;
    qint64 lastNs = 0;
    qint64 longestNs = 0;
};

#endif
