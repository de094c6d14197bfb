#ifndef DEBUGCAPTURE_H
#define DEBUGCAPTURE_H

#include <QStringList>

// Collects the debug lines written while it exists, from any thread.
class DebugCapture
{
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    QStringList lines() const;
    bool contains(const QString& line) const;
    void clear();
};

#endif // DEBUGCAPTURE_H
