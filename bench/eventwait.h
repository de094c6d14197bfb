#ifndef KABENCH_EVENTWAIT_H
#define KABENCH_EVENTWAIT_H

#include <functional>

// Runs the event loop until done() holds; false when the time ran out first.
bool runUntil(const std::function<bool()>& done, int timeoutMs);

#endif
