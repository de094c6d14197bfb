#ifndef DEBUGCAPTURE_H
#define DEBUGCAPTURE_H

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QtGlobal>

// Collects the debug lines written while it exists, from any thread: the device writes its own on
// the worker thread.
class DebugCapture
{
public:
    DebugCapture() { previous() = qInstallMessageHandler(collect); }
    ~DebugCapture()
    {
        qInstallMessageHandler(previous());
        QMutexLocker lock(&mutex());
        collected().clear();
    }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    QStringList lines() const
    {
        QMutexLocker lock(&mutex());
        return collected();
    }
    bool contains(const QString& line) const { return lines().contains(line); }

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtDebugMsg) {
            QMutexLocker lock(&mutex());
            collected().append(message);
        }
        previous()(type, context, message);
    }
    static QMutex& mutex()
    {
        static QMutex instance;
        return instance;
    }
    static QStringList& collected()
    {
        static QStringList instance;
        return instance;
    }
    static QtMessageHandler& previous()
    {
        static QtMessageHandler instance = nullptr;
        return instance;
    }
};

#endif // DEBUGCAPTURE_H
