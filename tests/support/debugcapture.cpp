#include "debugcapture.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex mutex;
QStringList captured;
QtMessageHandler previousHandler = nullptr;
QtMsgType lowestKept = QtDebugMsg;

// QtMsgType's values are not in order of severity.
int severity(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return 0;
    case QtInfoMsg:
        return 1;
    case QtWarningMsg:
        return 2;
    case QtCriticalMsg:
        return 3;
    case QtFatalMsg:
        return 4;
    }
    return 4;
}

bool kept(QtMsgType type)
{
    if (lowestKept == QtDebugMsg)
        return type == QtDebugMsg;
    return severity(type) >= severity(lowestKept);
}

void capture(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (kept(type)) {
        QMutexLocker lock(&mutex);
        captured.append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

DebugCapture::DebugCapture(QtMsgType lowest)
{
    clear();
    lowestKept = lowest;
    previousHandler = qInstallMessageHandler(capture);
}

DebugCapture::~DebugCapture()
{
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

QStringList DebugCapture::lines() const
{
    QMutexLocker lock(&mutex);
    return captured;
}

bool DebugCapture::contains(const QString& line) const
{
    return lines().contains(line);
}

void DebugCapture::clear()
{
    QMutexLocker lock(&mutex);
    captured.clear();
}
