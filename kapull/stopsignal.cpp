#include "kapull/stopsignal.h"

#include <QPointer>
#include <csignal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QSocketNotifier>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

QPointer<StopSignal> instance;

#ifdef Q_OS_WIN

BOOL WINAPI consoleHandler(DWORD event)
{
    // Runs on a thread of its own: the stop is queued to the object's thread.
    const int number = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
    if (instance)
        QMetaObject::invokeMethod(instance, "stopRequested", Qt::QueuedConnection, Q_ARG(int, number));
    return TRUE;
}

#else

// A signal handler may only write: the byte wakes the event loop through the socket's notifier.
int pipeEnds[2] = {-1, -1};

void signalHandler(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

#endif

} // namespace

StopSignal::StopSignal(QObject* parent) : QObject(parent)
{
    instance = this;
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(consoleHandler, TRUE);
#else
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return;
    auto* notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopSignal::readPending);
    struct sigaction action = {};
    action.sa_handler = signalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

StopSignal::~StopSignal()
{
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(consoleHandler, FALSE);
#else
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    for (int& end : pipeEnds) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
#endif
}

void StopSignal::readPending()
{
#ifndef Q_OS_WIN
    char byte = 0;
    if (::read(pipeEnds[0], &byte, 1) == 1)
        emit stopRequested(int(byte));
#endif
}
