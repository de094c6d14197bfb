#include "debugcapture.h"

#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>

namespace {

QMutex mutex;
QStringList captured;
QtMessageHandler previousHandler = nullptr;

void capture(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg) {
        QMutexLocker lock(&mutex);
        captured.append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

DebugCapture::DebugCapture()
{
    clear();
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
