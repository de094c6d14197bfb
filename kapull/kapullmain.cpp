#include "kapull/kapullmain.h"

#include "kapull/exitstatus.h"
#include "kapull/portlisting.h"
#include "kapull/pullsession.h"
#include "kapull/stopsignal.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>

int runKapull(const QStringList& arguments, QTextStream& out, QTextStream& err, bool progress)
{
    PullOptions options;
    QString error;
    if (!PullOptions::parse(arguments, &options, &error)) {
        err << "kapull: " << error << '\n' << PullOptions::usageText();
        err.flush();
        return ExitUsage;
    }
    switch (options.mode) {
    case PullOptions::Mode::Help:
        out << PullOptions::helpText();
        out.flush();
        return ExitDone;
    case PullOptions::Mode::Version:
        out << "kapull " << QCoreApplication::applicationVersion() << '\n';
        out.flush();
        return ExitDone;
    case PullOptions::Mode::List:
        printPorts(listedPorts(), out);
        return ExitDone;
    case PullOptions::Mode::Stored:
    case PullOptions::Mode::Current:
        break;
    }

    QEventLoop loop;
    PullSession session(options, out, err, progress && !options.quiet);
    StopSignal stop;
    QObject::connect(&stop, &StopSignal::stopRequested, &session, &PullSession::stop);
    QObject::connect(&session, &PullSession::finished, &loop, &QEventLoop::exit);
    // From inside the loop: a port that fails to open reports at once.
    QMetaObject::invokeMethod(&session, &PullSession::start, Qt::QueuedConnection);
    return loop.exec();
}
