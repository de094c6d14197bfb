#ifndef DEBUGLOG_H
#define DEBUGLOG_H

#include <QStringList>

// The program's own log: every message since start-up, as standard error shows it, kept in memory
// for the help window. Messages still reach the handler that was there before, unchanged.
namespace DebugLog {

// The newest lines kept; older ones are dropped.
inline constexpr int capacity = 5000;

// Installs the collecting handler in front of the current one; safe to call more than once.
void install();

// The kept lines, oldest first.
QStringList lines();

// Grows with every message, so a viewer can tell cheaply whether anything is new.
quint64 messageCount();

} // namespace DebugLog

#endif // DEBUGLOG_H
