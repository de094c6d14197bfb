#include "kapull/pulloptions.h"

#include <QCommandLineParser>

namespace {

const QString kUsage = QStringLiteral("Usage: kapull --list\n"
                                      "       kapull [--port NAME] [--quiet] --out DIR\n"
                                      "       kapull [--port NAME] [--quiet] --current FILE\n");

// The parser is built the same way for parsing and for the help text, so they cannot disagree.
void addOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {"list", "List every serial port and whether it looks like the device; opens none."},
        {"port", "Use the serial port NAME (ttyUSB0, /dev/ttyUSB0, COM3) instead of finding the device.",
         "NAME"},
        {"out", "Download the stored pictures into DIR as Image_<n>.png.", "DIR"},
        {"current", "Write the device's current picture to FILE as PNG.", "FILE"},
        {"quiet", "No progress on standard error."},
        {{"h", "help"}, "Show this help."},
        {"version", "Show the version."},
    });
}

} // namespace

bool PullOptions::parse(const QStringList& arguments, PullOptions* options, QString* error)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }
    PullOptions parsed;
    parsed.port = parser.value("port");
    parsed.folder = parser.value("out");
    parsed.file = parser.value("current");
    parsed.quiet = parser.isSet("quiet");
    const int modes = int(parser.isSet("list")) + int(parser.isSet("out")) + int(parser.isSet("current")) +
                      int(parser.isSet("help")) + int(parser.isSet("version"));
    if (modes != 1) {
        *error = QStringLiteral("Give exactly one of --list, --out and --current.");
        return false;
    }
    if (parser.isSet("help"))
        parsed.mode = Mode::Help;
    else if (parser.isSet("version"))
        parsed.mode = Mode::Version;
    else if (parser.isSet("list"))
        parsed.mode = Mode::List;
    else if (parser.isSet("out"))
        parsed.mode = Mode::Stored;
    else
        parsed.mode = Mode::Current;
    if (parsed.mode == Mode::List && parser.isSet("port")) {
        *error = QStringLiteral("--list opens no port and takes no --port.");
        return false;
    }
    if ((parsed.mode == Mode::Stored && parsed.folder.isEmpty()) ||
        (parsed.mode == Mode::Current && parsed.file.isEmpty()) ||
        (parser.isSet("port") && parsed.port.isEmpty())) {
        *error = QStringLiteral("An option's value is empty.");
        return false;
    }
    *options = parsed;
    return true;
}

QString PullOptions::usageText()
{
    return kUsage + QStringLiteral("Try 'kapull --help' for the options and exit statuses.\n");
}

QString PullOptions::helpText()
{
    QCommandLineParser parser;
    addOptions(parser);
    QString options = parser.helpText();
    options.remove(0, options.indexOf("Options:"));
    return kUsage +
           QStringLiteral(
               "\nDownloads the pictures of a KA imaging device over its serial port. Without --port\n"
               "it uses the first port described \"CP21...\" that opens.\n\n") +
           options +
           QStringLiteral("\nExit status:\n"
                          "  0  done\n"
                          "  1  wrong usage\n"
                          "  2  no device found\n"
                          "  3  the port cannot be opened (denied, in use, gone)\n"
                          "  4  no answer from the device\n"
                          "  5  connection lost, or a picture was cut off\n"
                          "  6  a file could not be written\n"
                          "  128+N  stopped by signal N (130 for Ctrl-C)\n");
}
