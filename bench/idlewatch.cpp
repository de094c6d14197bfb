#include "idlewatch.h"

IdleWatch::IdleWatch() : watch(new GuiWatch)
{
    // The watch's timer moves with it and restarts on the new thread.
    watch->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, watch, &QObject::deleteLater);
    thread.start();
}

IdleWatch::~IdleWatch()
{
    thread.quit();
    thread.wait();
}

void IdleWatch::reset()
{
    QMetaObject::invokeMethod(
        watch, [this] { watch->reset(); }, Qt::BlockingQueuedConnection);
}

GuiWatch::Gap IdleWatch::longestGap()
{
    GuiWatch::Gap gap;
    QMetaObject::invokeMethod(
        watch, [this, &gap] { gap = watch->longestGap(); }, Qt::BlockingQueuedConnection);
    return gap;
}
