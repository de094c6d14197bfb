#include "core/debuglog.h"

#include <QLocale>
#include <QMutex>
#include <QMutexLocker>
#include <QTime>
#include <QtGlobal>
#include <algorithm>
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

// Guarded by mutex(), like kept().
quint64 count = 0;
std::atomic<QtMessageHandler> previous{nullptr};

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // The C locale keeps the digits ASCII whatever the system's language.
    const QString line = QLocale::c().toString(QTime::currentTime(), QStringLiteral("hh:mm:ss.zzz")) + ' ' +
                         qFormatLogMessage(type, context, message);
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
    quint64 seen = 0;
    return linesAfter(seen);
}

QStringList linesAfter(quint64& seen)
{
    QMutexLocker lock(&mutex());
    const std::deque<QString>& all = kept();
    const auto fresh = std::ptrdiff_t(std::min<quint64>(count - seen, all.size()));
    seen = count;
    return QStringList(all.end() - fresh, all.end());
}

} // namespace DebugLog
