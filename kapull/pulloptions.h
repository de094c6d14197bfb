#ifndef PULLOPTIONS_H
#define PULLOPTIONS_H

#include <QString>
#include <QStringList>

// What the command line asks kapull to do.
struct PullOptions
{
    enum class Mode
    {
        List,    // the serial ports, none opened
        Stored,  // the stored pictures into a folder
        Current, // the current picture into a file
        Help,
        Version,
    };

    Mode mode = Mode::Help;
    QString port;   // empty: found as the window finds it
    QString folder; // for Stored
    QString file;   // for Current
    bool quiet = false;

    // Parses the arguments, the program's name first; on wrong usage returns false and says why.
    static bool parse(const QStringList& arguments, PullOptions* options, QString* error);
    static QString helpText();
    // The usage lines and where to read more, for wrong usage.
    static QString usageText();
};

#endif // PULLOPTIONS_H
