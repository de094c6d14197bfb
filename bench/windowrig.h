#ifndef KABENCH_WINDOWRIG_H
#define KABENCH_WINDOWRIG_H

#include "guiwatch.h"
#include "idlewatch.h"
#include "simthread.h"
#include "ui/window/mainwindow.h"

#include <QVector>

class QListWidget;
class SimImage;

// The real window, shown, with its device worker talking to the simulator at full speed over a
// pseudo-terminal, a watch on the window's thread and one on an idle thread. It records the GUI thread's CPU
// time as each row appears.
class WindowRig
{
public:
    WindowRig();
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    bool ready() const { return sim.isOpen() && shown; }
    // Presses Connect (or Disconnect) and waits for the status text to follow.
    bool connect(int timeoutMs);
    bool disconnect(int timeoutMs);
    // Waits until the list has this many rows.
    bool waitRows(int rows, int timeoutMs);
    // Both watches start a new measurement.
    void resetWatches();
    // The figures count from now, as when the window asks for the pictures.
    void markRequest();

    QListWidget* list() const;
    QImage preview() const;
    QString statusText() const;

    SimThread sim;
    MainWindow window;
    GuiWatch watch;
    IdleWatch idleWatch;
    // GUI thread CPU time when each row appeared, and when the window asked for the pictures.
    QVector<GuiWatch::CpuTime> rowCpu;
    GuiWatch::CpuTime requestCpu;
    qint64 requestNs = 0;
    qint64 lastRowNs = 0;
    QElapsedTimer clock;

private:
    bool clickConnectAndWait(const QString& status, int timeoutMs);
    bool shown = false;
};

#endif
