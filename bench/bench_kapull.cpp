// kapull's download against the simulator at full speed: throughput over the line rate and memory,
// measured as the window's benchmark measures them (360x240 pictures at 3 bytes per pixel, wire
// bytes of whole frames over the time taken). The program itself runs, so its memory is its own;
// the time is the whole run, start-up, handshake and goodbye included, with every picture written
// as PNG into a fresh folder.
#include "devicesimulator.h"
#include "protocolframes.h"
#include "simthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

// The program's own peak resident size, read while it runs: once it exits it is gone, and the
// system's figure for children counts the parent's pages a child holds between fork and exec.
qint64 peakResidentBytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

SimImage picture(int index, bool noisy)
{
    if (!noisy)
        return SimImage::pattern(index, 360, 240, 3);
    // What PNG cannot squeeze: the writer's worst case.
    QImage image(360, 240, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), 360 * 3 / 4);
    return SimImage::fromImage(index, image, 3);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream report(stdout);
    SimThread sim;
    if (!sim.isOpen()) {
        report << "the simulator has no pseudo-terminal\n";
        return 1;
    }
    const double onePicture = 360.0 * 240 * 3;
    QString port;
    sim.call([&port](DeviceSimulator& device) { port = device.portName(); });
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kapull");
    bool ok = true;
    for (const auto& [count, noisy] : {std::pair{50, false}, std::pair{1000, false}, std::pair{200, true}}) {
        QList<SimImage> list;
        qint64 wire = 0;
        for (int i = 1; i <= count; ++i) {
            list << picture(i, noisy);
            wire += ProtocolFrames::storedImageFrame(list.last()).size();
        }
        sim.call([&list](DeviceSimulator& device) { device.setStoredImages(list); });
        QTemporaryDir folder;
        QProcess run;
        QElapsedTimer clock;
        clock.start();
        qint64 peak = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout,
                         [&] { peak = qMax(peak, peakResidentBytes(run.processId())); });
        QEventLoop loop;
        QObject::connect(&run, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                         &QEventLoop::quit);
        run.start(program, {"--port", port, "--out", folder.path(), "--quiet"});
        watch.start(5);
        loop.exec();
        const bool finished = run.exitStatus() == QProcess::NormalExit;
        const double seconds = clock.nsecsElapsed() / 1e9;
        const int written = QString::fromUtf8(run.readAllStandardOutput()).count(QStringLiteral(".png\n"));
        if (!finished || run.exitCode() != 0 || written != count) {
            report << count << " pictures: status " << run.exitCode() << ", " << written << " written\n"
                   << run.readAllStandardError();
            ok = false;
            continue;
        }
        const QString what =
            QStringLiteral("%1 %2 pictures 360x240x3").arg(count).arg(noisy ? "noisy" : "pattern");
        report << what << ": " << QString::number(wire / seconds / 1e6, 'f', 1) << " MB/s, "
               << QString::number(wire / seconds / DeviceSimulator::lineRate, 'f', 0)
               << " times the line rate (goal at least 1,000); kapull's peak resident size "
               << QString::number(peak / 1e6, 'f', 1) << " MB, " << QString::number(peak / onePicture, 'f', 1)
               << " pictures' pixel bytes\n";
        report.flush();
    }
    return ok ? 0 : 1;
}
