#ifndef DEBUGCAPTURE_H
#define DEBUGCAPTURE_H

#include <QStringList>
#include <QtGlobal>

// Collects the messages written while it exists, from any thread. By default it keeps the debug
// lines only, which callers compare line by line; naming a more severe type as the lowest to keep
// collects that type and every worse one instead (warnings, criticals, fatals).
class DebugCapture
{
public:
    explicit DebugCapture(QtMsgType lowest = QtDebugMsg);
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    QStringList lines() const;
    bool contains(const QString& line) const;
    void clear();
};

#endif // DEBUGCAPTURE_H
