#ifndef UNPRIVILEGED_H
#define UNPRIVILEGED_H

#include <QtTest>
#include <sys/prctl.h>
#include <unistd.h>

// Acts as an unprivileged user for its lifetime when run as root, so permissions apply.
struct Unprivileged
{
    Unprivileged() { QVERIFY(geteuid() != 0 || seteuid(65534) == 0); }
    ~Unprivileged()
    {
        QVERIFY(getuid() != 0 || seteuid(0) == 0);
        // Changing users made the process undumpable, which keeps the leak checker from tracing it.
        prctl(PR_SET_DUMPABLE, 1);
    }
};

#endif // UNPRIVILEGED_H
