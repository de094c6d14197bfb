// Soak of the whole program against the simulator: thousands of mixed pictures, then hostile input
// (random bytes, bad and huge headers, cut-off frames), then one valid picture that must arrive
// intact, then disconnect and connect cycles with the resident memory after each. Exits non-zero
// on any fault. Full form: bash bench/run.sh soak; the short form (--short) runs in the test script.
#include "app/highdpi.h"
#include "benchapp.h"
#include "devicesimulator.h"
#include "eventwait.h"
#include "processmemory.h"
#include "protocolframes.h"
#include "simimage.h"
#include "ui/window/fontfamilies.h"
#include "windowrig.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const int kTimeoutMs = 600000;
const int kCyclePictures = 20;
const qint64 kMiB = 1024 * 1024;

QTextStream out(stdout);

// Sizes spread evenly over their logarithm, so small and large pictures both come often; the
// extremes come in every pixel format.
QList<SimImage> mixedPictures(int count, QRandomGenerator& random)
{
    QList<SimImage> list;
    const QList<QSize> extremes{{1, 1}, {640, 480}};
    for (int i = 0; i < count; ++i) {
        const int bpp = 1 + i % 3;
        QSize size = i < 6 ? extremes.at(i / 3) : QSize();
        if (size.isEmpty()) {
            const auto spread = [&random](int most) {
                return int(std::exp(random.generateDouble() * std::log(double(most)))) + 1;
            };
            size = QSize(qMin(640, spread(640)), qMin(480, spread(480)));
        }
        list.append(SimImage::pattern(i + 1, size.width(), size.height(), bpp));
    }
    return list;
}

QByteArray headerWords(const char* line, std::initializer_list<qint32> words)
{
    QByteArray bytes(line);
    for (qint32 word : words)
        bytes += ProtocolFrames::word(word);
    return bytes;
}

// Hostile bytes of about the given size, and how many pictures the receiver must make of them:
// each cut-off frame is completed by the random bytes after it, as the line gives no other sign
// of its end. Random bytes alone never spell a header.
QByteArray hostileInput(qint64 size, QRandomGenerator& random, int* pictures)
{
    QByteArray stream;
    *pictures = 0;
    const auto junk = [&random](int length) {
        QByteArray bytes(length, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        return bytes;
    };
    int piece = 0;
    while (stream.size() < size) {
        switch (piece++ % 4) {
        case 0:
            stream += junk(random.bounded(1, 256 * 1024));
            break;
        case 1: { // bad headers: formats, signs, overflowing and over 64 MiB
            const qint32 bpp = random.bounded(2) ? 0 : 4;
            stream += headerWords("AT_SI\r\n", {8, 8, bpp, 1});
            stream += headerWords("AT_CI\r\n", {-5, 9, 3});
            stream += headerWords("AT_SI\r\n", {65536, 65536, 1, 2});
            stream += headerWords("AT_SI\r\n", {8193, 8192, 1, 3});
            stream += headerWords("AT_CI\r\n", {INT_MAX, INT_MAX, 3});
            break;
        }
        case 2: { // a cut-off frame, completed by the junk that follows
            const int width = random.bounded(1, 64), height = random.bounded(1, 64),
                      bpp = random.bounded(1, 4);
            const int pixels = width * height * bpp;
            const int sent = random.bounded(pixels);
            stream += headerWords("AT_SI\r\n", {width, height, bpp, 100000 + piece});
            stream += junk(sent);
            stream += junk(pixels - sent + random.bounded(1, 4096));
            ++*pictures;
            break;
        }
        case 3: // lines the header parser must skip
            stream += "AT_HB\r\nAT_NSI\r\nAT_UNKNOWN\r\nAT" + junk(40) + "\r\n";
            break;
        }
    }
    return stream;
}

bool fail(const QString& why)
{
    out << "FAULT: " << why << '\n';
    out.flush();
    return false;
}

bool soak(int pictureCount, qint64 hostileBytes, int cycles)
{
    QRandomGenerator random(20240521);
    WindowRig rig;
    if (!rig.ready())
        return fail("no window or no pseudo-terminal");
    const QList<SimImage> mixed = mixedPictures(pictureCount, random);
    rig.sim.call([&mixed](DeviceSimulator& sim) { sim.setStoredImages(mixed); });
    out << "resident at start: " << residentBytes() / kMiB << " MiB\n";

    if (!rig.connect(30000) || !rig.waitRows(mixed.size(), kTimeoutMs))
        return fail("the mixed pictures did not all arrive");
    for (int row = 0; row < mixed.size(); ++row)
        if (rig.list()->item(row)->text() != QString::number(mixed.at(row).index))
            return fail(QString("row %1 holds the wrong picture").arg(row));
    if (rig.preview().convertToFormat(QImage::Format_RGB32) !=
        mixed.last().toQImage().convertToFormat(QImage::Format_RGB32))
        return fail("the last mixed picture arrived changed");
    out << mixed.size() << " mixed pictures in order, longest GUI stall " << rig.watch.longestGapMs()
        << " ms, resident " << trimmedResidentBytes() / kMiB << " MiB\n";

    int madeOfHostile = 0;
    const QByteArray hostile = hostileInput(hostileBytes, random, &madeOfHostile);
    const SimImage valid = SimImage::pattern(424242, 360, 240, 3);
    rig.sim.call([&hostile, &valid](DeviceSimulator& sim) {
        for (int at = 0; at < hostile.size(); at += int(kMiB))
            sim.sendRaw(hostile.mid(at, int(kMiB)));
        sim.sendRaw(ProtocolFrames::storedImageFrame(valid));
    });
    // Queuing the bytes held this thread too; only the window's own work counts.
    rig.resetWatches();
    const int expected = mixed.size() + madeOfHostile + 1;
    if (!rig.waitRows(expected, kTimeoutMs))
        return fail(
            QString("%1 rows after the hostile input, %2 expected").arg(rig.list()->count()).arg(expected));
    if (rig.list()->count() != expected || rig.list()->item(expected - 1)->text() != "424242")
        return fail("the valid picture after the hostile input is not the last row");
    if (rig.preview().convertToFormat(QImage::Format_RGB32) !=
        valid.toQImage().convertToFormat(QImage::Format_RGB32))
        return fail("the valid picture after the hostile input arrived changed");
    out << QString::number(hostile.size() / 1e6, 'f', 1) << " MB of hostile input: " << madeOfHostile
        << " cut-off frames completed by junk, the valid picture intact; longest GUI stall "
        << rig.watch.longestGapMs() << " ms, resident " << trimmedResidentBytes() / kMiB << " MiB\n";

    const QList<SimImage> few = mixedPictures(kCyclePictures, random);
    rig.sim.call([&few](DeviceSimulator& sim) { sim.setStoredImages(few); });
    qint64 firstCycle = 0, largest = 0;
    int handshakesRepeated = 0;
    const auto hostGone = [&rig] {
        bool open = true;
        rig.sim.call([&open](DeviceSimulator& sim) { open = sim.isPeerOpen(); });
        return !open;
    };
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (!rig.disconnect(30000) || !runUntil(hostGone, 30000))
            return fail(QString("cycle %1: no disconnect").arg(cycle));
        // The simulator's look at the pty (open and close of the slave) can race the host reopening
        // it and leave the pty marked hung up until the host lets go: the handshake goes unseen,
        // and the user presses Connect again. The missed request is answered late, and every
        // connected report asks for the pictures, so such a cycle may receive them twice.
        int repeated = 0;
        while (!rig.connect(30000)) {
            bool seen = false;
            rig.sim.call([&seen](DeviceSimulator& sim) { seen = sim.receivedBytes().endsWith("AT_INFO*"); });
            if (seen || ++repeated == 3)
                return fail(QString("cycle %1: no connection").arg(cycle));
        }
        handshakesRepeated += repeated;
        if (!rig.waitRows(few.size(), kTimeoutMs) || (repeated == 0 && rig.list()->count() != few.size()))
            return fail(QString("cycle %1: %2 rows").arg(cycle).arg(rig.list()->count()));
        for (int row = 0; row < few.size(); ++row)
            if (rig.list()->item(row)->text() != QString::number(few.at(row).index))
                return fail(QString("cycle %1: row %2 holds the wrong picture").arg(cycle).arg(row));
        const qint64 resident = trimmedResidentBytes();
        firstCycle = cycle == 1 ? resident : firstCycle;
        largest = qMax(largest, resident);
        out << "cycle " << cycle << ": resident " << QString::number(resident / double(kMiB), 'f', 1)
            << " MiB\n";
        out.flush();
    }
    out << "resident after the first cycle " << QString::number(firstCycle / double(kMiB), 'f', 1)
        << " MiB, largest " << QString::number(largest / double(kMiB), 'f', 1) << " MiB; "
        << handshakesRepeated << " handshakes the simulator missed, repeated\n";
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    defaultToOffscreen();
    enableHighDpiScaling();
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Soak of kaviewer against the device simulator");
    parser.addHelpOption();
    const QCommandLineOption shortOption("short", "200 pictures, 5 MB of hostile input, 3 cycles.");
    parser.addOption(shortOption);
    parser.process(app);
    printWarningsOnly();
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    loadFontFamilies();

    const bool full = !parser.isSet(shortOption);
    const bool ok = soak(full ? 2000 : 200, (full ? 50 : 5) * 1000 * 1000, full ? 30 : 3);
    out << (ok ? "soak passed\n" : "SOAK FAILED\n");
    return ok ? 0 : 1;
}
