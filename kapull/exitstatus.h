#ifndef EXITSTATUS_H
#define EXITSTATUS_H

#include "device/kalinkfailure.h"

// What kapull's exit status tells a script; the manual page and --help list the same.
enum ExitStatus
{
    ExitDone = 0,
    ExitUsage = 1,
    ExitNoDevice = 2,
    ExitPortUnusable = 3, // denied, in use, gone or failing to open
    ExitNoAnswer = 4,
    ExitLost = 5, // the connection ended, or a picture was cut off
    ExitWriteFailed = 6,
};

// An interruption by a signal exits, as shells expect, with 128 and the signal's number.
inline int interruptedStatus(int signal_number)
{
    return 128 + signal_number;
}

inline ExitStatus exitStatusFor(KaLinkFailure::Reason reason)
{
    switch (reason) {
    case KaLinkFailure::NoPort:
        return ExitNoDevice;
    case KaLinkFailure::PortDenied:
    case KaLinkFailure::PortBusy:
    case KaLinkFailure::PortGone:
    case KaLinkFailure::PortFailed:
        return ExitPortUnusable;
    case KaLinkFailure::NoAnswer:
        return ExitNoAnswer;
    case KaLinkFailure::Lost:
        return ExitLost;
    }
    return ExitLost;
}

#endif // EXITSTATUS_H
