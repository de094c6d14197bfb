// kadevice-sim: plays the imaging device on a pty (or a real serial port) until interrupted.

#include "devicesimulator.h"
#include "simimage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    // Only async-signal-safe work here; the event loop does the rest.
    const char c = 0;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

void say(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Commands may be junk, so anything unprintable is shown escaped.
QString printable(const QByteArray& bytes)
{
    QString out;
    for (const char c : bytes) {
        const auto u = static_cast<uchar>(c);
        out += (u >= 0x20 && u < 0x7f) ? QString(QLatin1Char(c))
                                       : QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return out;
}

bool toInt(const QString& text, int* value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

// "WxH"
bool parseSize(const QString& text, int* width, int* height)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    return parts.size() == 2 && toInt(parts[0], width) && toInt(parts[1], height) && *width > 0 &&
           *height > 0;
}

bool validBpp(int bpp)
{
    return bpp >= 1 && bpp <= 3;
}

// "FILE:INDEX:BPP"; the file name may itself contain colons.
bool parseImage(const QString& text, SimImage* image, QString* error)
{
    const int bppColon = text.lastIndexOf(QLatin1Char(':'));
    const int indexColon = bppColon > 0 ? text.lastIndexOf(QLatin1Char(':'), bppColon - 1) : -1;
    int index = 0;
    int bpp = 0;
    if (indexColon <= 0 || !toInt(text.mid(indexColon + 1, bppColon - indexColon - 1), &index) ||
        !toInt(text.mid(bppColon + 1), &bpp) || !validBpp(bpp)) {
        *error = QStringLiteral("--image wants FILE:INDEX:BPP with BPP 1..3, got \"%1\"").arg(text);
        return false;
    }
    *image = SimImage::fromFile(index, text.left(indexColon), bpp);
    if (image->isNull()) {
        *error = QStringLiteral("cannot read picture \"%1\"").arg(text.left(indexColon));
        return false;
    }
    return true;
}

// "WxH:BPP:INDEX" for a stored pattern, "WxH:BPP" for the current one (index 0).
bool parsePattern(const QString& text, const QString& option, bool withIndex, SimImage* image, QString* error)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    int width = 0;
    int height = 0;
    int bpp = 0;
    int index = 0;
    if (parts.size() != (withIndex ? 3 : 2) || !parseSize(parts[0], &width, &height) ||
        !toInt(parts[1], &bpp) || !validBpp(bpp) || (withIndex && !toInt(parts[2], &index))) {
        *error = QStringLiteral("%1 wants WxH:BPP%2 with BPP 1..3, got \"%3\"")
                     .arg(option, withIndex ? QStringLiteral(":INDEX") : QString(), text);
        return false;
    }
    *image = SimImage::pattern(index, width, height, bpp);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kadevice-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays the imaging device on a pseudo-terminal (or a real serial port) and prints its port name.\n"
        "Runs until Ctrl-C. Stored pictures are sent in index order.\n"
        "Example: kadevice-sim --link /tmp/kadevice --pattern 360x240:3:0 --image photo.png:1:2"));
    parser.addHelpOption();
    const QCommandLineOption deviceOpt(
        QStringLiteral("device"), QStringLiteral("Use this real serial port (460800 8N1) instead of a pty."),
        QStringLiteral("PATH"));
    const QCommandLineOption linkOpt(QStringLiteral("link"),
                                     QStringLiteral("Make a symbolic link to the port here."),
                                     QStringLiteral("PATH"));
    const QCommandLineOption infoOpt(QStringLiteral("info"),
                                     QStringLiteral("The four info lines, comma separated."),
                                     QStringLiteral("l1,l2,l3,l4"));
    const QCommandLineOption infoDelayOpt(QStringLiteral("info-delay"),
                                          QStringLiteral("Wait this long before answering the info request."),
                                          QStringLiteral("MS"));
    const QCommandLineOption silentOpt(QStringLiteral("silent"),
                                       QStringLiteral("Never answer the info request."));
    const QCommandLineOption imageOpt(
        QStringLiteral("image"),
        QStringLiteral("A stored picture read from a picture file, sent with this "
                       "index in BPP bytes per pixel (1..3). Index before BPP, "
                       "unlike --pattern. Repeatable."),
        QStringLiteral("FILE:INDEX:BPP"));
    const QCommandLineOption patternOpt(
        QStringLiteral("pattern"),
        QStringLiteral("A stored test pattern of WxH pixels in BPP bytes per pixel "
                       "(1..3) with this index. BPP before index, unlike "
                       "--image. Repeatable."),
        QStringLiteral("WxH:BPP:INDEX"));
    const QCommandLineOption currentOpt(
        QStringLiteral("current"), QStringLiteral("Answer the current-picture request with a test pattern."),
        QStringLiteral("WxH:BPP"));
    const QCommandLineOption movingOpt(
        QStringLiteral("moving"),
        QStringLiteral("Move the current picture this many columns on with every answer."),
        QStringLiteral("COLUMNS"));
    const QCommandLineOption pacedOpt(QStringLiteral("paced"),
                                      QStringLiteral("Send at the real line rate (46080 bytes/s)."));
    const QCommandLineOption heartbeatOpt(
        QStringLiteral("heartbeat-ms"),
        QStringLiteral("Send a heartbeat this often while a host is attached."), QStringLiteral("N"));
    const QCommandLineOption junkOpt(QStringLiteral("junk"),
                                     QStringLiteral("Send junk bytes before every reply."));
    parser.addOptions({deviceOpt, linkOpt, infoOpt, infoDelayOpt, silentOpt, imageOpt, patternOpt, currentOpt,
                       movingOpt, pacedOpt, heartbeatOpt, junkOpt});
    parser.process(app);

    DeviceSimulator sim;
    QString error;
    const auto usage = [&error] {
        say(QStringLiteral("kadevice-sim: ") + error);
        return 2;
    };

    if (parser.isSet(infoOpt)) {
        const QStringList lines = parser.value(infoOpt).split(QLatin1Char(','));
        if (lines.size() != 4) {
            error = QStringLiteral("--info wants four comma-separated lines");
            return usage();
        }
        sim.setInfoLines(lines);
    }
    if (parser.isSet(infoDelayOpt)) {
        int ms = 0;
        if (!toInt(parser.value(infoDelayOpt), &ms) || ms < 0) {
            error = QStringLiteral("--info-delay wants milliseconds");
            return usage();
        }
        sim.setInfoDelay(ms);
    }
    sim.setSilent(parser.isSet(silentOpt));

    QList<SimImage> stored;
    for (const QString& argument : parser.values(imageOpt)) {
        SimImage image;
        if (!parseImage(argument, &image, &error))
            return usage();
        stored.append(image);
    }
    for (const QString& argument : parser.values(patternOpt)) {
        SimImage image;
        if (!parsePattern(argument, QStringLiteral("--pattern"), true, &image, &error))
            return usage();
        stored.append(image);
    }
    // The two options' relative order is lost, so images go out in index order.
    std::stable_sort(stored.begin(), stored.end(),
                     [](const SimImage& a, const SimImage& b) { return a.index < b.index; });
    sim.setStoredImages(stored);

    if (parser.isSet(currentOpt)) {
        SimImage image;
        if (!parsePattern(parser.value(currentOpt), QStringLiteral("--current"), false, &image, &error))
            return usage();
        sim.setCurrentImage(image);
    }
    if (parser.isSet(movingOpt)) {
        int columns = 0;
        if (!toInt(parser.value(movingOpt), &columns)) {
            error = QStringLiteral("--moving wants a number of columns");
            return usage();
        }
        sim.setCurrentStep(columns);
    }
    sim.setPaced(parser.isSet(pacedOpt));
    if (parser.isSet(junkOpt))
        sim.setJunkBeforeReply(QByteArray("\x00\xff#junk AT_\r\n", 13));

    QTimer heartbeat;
    if (parser.isSet(heartbeatOpt)) {
        int ms = 0;
        if (!toInt(parser.value(heartbeatOpt), &ms) || ms <= 0) {
            error = QStringLiteral("--heartbeat-ms wants a positive number");
            return usage();
        }
        QObject::connect(&heartbeat, &QTimer::timeout, &sim, &DeviceSimulator::sendHeartbeat);
        heartbeat.start(ms);
    }

    const bool realDevice = parser.isSet(deviceOpt);
    if (!(realDevice ? sim.openDevice(parser.value(deviceOpt)) : sim.openPty())) {
        say(QStringLiteral("kadevice-sim: ") + sim.errorString());
        return 1;
    }

    const QString link = parser.value(linkOpt);
    if (!link.isEmpty()) {
        if (QFileInfo(link).isSymLink())
            QFile::remove(link);
        if (!QFile::link(sim.portName(), link)) {
            say(QStringLiteral("kadevice-sim: cannot create symlink %1").arg(link));
            return 1;
        }
    }

    QObject::connect(&sim, &DeviceSimulator::commandReceived,
                     [](const QByteArray& command) { say(QStringLiteral("<- ") + printable(command)); });
    QObject::connect(&sim, &DeviceSimulator::peerOpened, [] { say(QStringLiteral("host opened the port")); });
    QObject::connect(&sim, &DeviceSimulator::peerClosed, [realDevice] {
        say(realDevice ? QStringLiteral("serial device lost") : QStringLiteral("host closed the port"));
        if (realDevice)
            QCoreApplication::exit(1);
    });

    if (::pipe(signalPipe) != 0) {
        say(QStringLiteral("kadevice-sim: cannot create a pipe"));
        return 1;
    }
    QSocketNotifier quitNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&quitNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    std::printf("%s\n", qPrintable(sim.portName()));
    std::fflush(stdout);

    const int rc = app.exec();
    if (!link.isEmpty())
        QFile::remove(link);
    return rc;
}
