#ifndef DEBUGLOG_H
#define DEBUGLOG_H

#include <QStringList>

// The program's own log: every message since start-up, as standard error shows it after the local
// time it was logged, kept in memory for the help window. Messages still reach the handler that was
// there before, unchanged.
namespace DebugLog {

// The newest lines kept; older ones are dropped.
inline constexpr int capacity = 5000;

// Installs the collecting handler in front of the current one; safe to call more than once.
void install();

// The kept lines, oldest first.
QStringList lines();

// The kept lines of the messages after the first `seen`, or all kept ones when more were dropped
// meanwhile; sets `seen` to the count of messages so far, so a viewer appends only what is new.
QStringList linesAfter(quint64& seen);

} // namespace DebugLog

#endif // DEBUGLOG_H
