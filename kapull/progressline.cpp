#include "kapull/progressline.h"

#include <QTextStream>

ProgressLine::ProgressLine(QTextStream& err, bool enabled) : err(err), enabled(enabled) {}

void ProgressLine::pictureUnderWay(int index, qint64 received, qint64 expected, int done)
{
    const int percent = expected > 0 ? int(received * 100 / expected) : 0;
    show(QStringLiteral("Image %1: %2%, %3 done").arg(index).arg(percent).arg(done));
}

void ProgressLine::clear()
{
    show(QString());
}

void ProgressLine::show(const QString& text)
{
    if (!enabled || (text.isEmpty() && shown == 0))
        return;
    // Spaces, not escape sequences: every console understands them.
    err << '\r' << text;
    if (text.size() < shown)
        err << QString(shown - text.size(), ' ') << '\r' << text;
    shown = text.size();
    err.flush();
}
