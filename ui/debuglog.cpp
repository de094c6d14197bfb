#include "ui/debuglog.h"

#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>
#include <atomic>
#include <deque>

namespace DebugLog {

namespace {

// Function-local statics: messages may come before main or after it, from any thread.
QMutex& mutex()
{
    static QMutex instance;
    return instance;
}

std::deque<QString>& kept()
{
    static std::deque<QString> instance;
    return instance;
}

std::atomic<quint64> count{0};
std::atomic<QtMessageHandler> previous{nullptr};

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QString line = qFormatLogMessage(type, context, message);
    {
        QMutexLocker lock(&mutex());
        kept().push_back(line);
        if (kept().size() > size_t(capacity))
            kept().pop_front();
        ++count;
    }
    previous.load()(type, context, message);
}

} // namespace

void install()
{
    if (previous.load())
        return;
    previous = qInstallMessageHandler(collect);
}

QStringList lines()
{
    QMutexLocker lock(&mutex());
    QStringList result;
    result.reserve(int(kept().size()));
    for (const QString& line : kept())
        result.append(line);
    return result;
}

quint64 messageCount()
{
    return count.load();
}

} // namespace DebugLog
