#ifndef KABENCH_IDLEWATCH_H
#define KABENCH_IDLEWATCH_H

#include "guiwatch.h"

#include <QThread>

// The same watch on a thread of its own that does nothing else: its gaps are the machine's (a core
// taken by other threads, a sleeping thread woken late), a yardstick for the window's.
class IdleWatch
{
public:
    IdleWatch();
    ~IdleWatch();
    IdleWatch(const IdleWatch&) = delete;
    IdleWatch& operator=(const IdleWatch&) = delete;

    void reset();
    GuiWatch::Gap longestGap();

private:
    QThread thread;
    GuiWatch* watch;
};

#endif
