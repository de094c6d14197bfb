#ifndef PROGRESSLINE_H
#define PROGRESSLINE_H

#include <QString>

class QTextStream;

// The transfer's progress on one line of a terminal, rewritten in place; a line of output clears
// it first, so the two never mix. Off, it writes nothing.
class ProgressLine
{
public:
    ProgressLine(QTextStream& err, bool enabled);

    void pictureUnderWay(int index, qint64 received, qint64 expected, int done);
    // Before anything else is written to the terminal.
    void clear();

private:
    void show(const QString& text);

    QTextStream& err;
    bool enabled;
    int shown = 0; // characters on the line now
};

#endif // PROGRESSLINE_H
