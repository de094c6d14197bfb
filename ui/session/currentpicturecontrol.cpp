#include "ui/session/currentpicturecontrol.h"

#include "ui/session/transferstatuslabel.h"

namespace {
const int kAnswerMs = 2000;
}

CurrentPictureControl::CurrentPictureControl(TransferStatusLabel* line, QObject* parent)
    : QObject(parent), line(line)
{
    timerAnswer.setSingleShot(true);
    timerAnswer.setInterval(kAnswerMs);
    connect(&timerAnswer, &QTimer::timeout, this, &CurrentPictureControl::answerMissing);
}

void CurrentPictureControl::ask()
{
    pending = true;
    timerAnswer.start();
    emit signalRequest();
}

void CurrentPictureControl::request()
{
    stopping = false;
    ask();
    if (!live)
        line->currentRequested();
}

void CurrentPictureControl::startLive()
{
    live = true;
    stopping = false;
    livePictures = 0;
    clockLive.start();
    line->liveView(-1);
    if (!isPending())
        ask();
}

void CurrentPictureControl::stopLive()
{
    if (!live)
        return;
    live = false;
    stopping = isPending();
    line->liveViewStopped();
}

void CurrentPictureControl::frameStarted(bool current)
{
    if (!current) {
        // A stored transfer has the line now; asking on would only delay it.
        live = false;
        return;
    }
    // Asked for or not, it is on its way now.
    pending = true;
    timerAnswer.stop();
}

void CurrentPictureControl::pictureArrived()
{
    pending = false;
    timerAnswer.stop();
    if (!live) {
        if (!stopping)
            line->currentArrived();
        stopping = false;
        return;
    }
    ++livePictures;
    line->liveView(livePictures * 1000.0 / qMax<qint64>(1, clockLive.elapsed()));
    ask();
}

void CurrentPictureControl::pictureDropped(qint64 received, qint64 expected)
{
    // Also before it started, when its header was cut off: then no answer is still awaited.
    pending = false;
    timerAnswer.stop();
    live = false;
    line->currentDropped(received, expected);
}

void CurrentPictureControl::answerMissing()
{
    pending = false;
    live = false;
    line->currentMissing();
}

void CurrentPictureControl::disconnected()
{
    timerAnswer.stop();
    pending = false;
    stopLive();
}
