// The viewer's cost on the window's thread: following the live view at full speed, with the
// viewer closed, open at its fit and open at 8 times with its grid, a region over the whole
// picture and the difference on; and a 360x240 picture panned at 32 times, one repaint a step.
// Run from a Release build: bash bench/run.sh viewer
#include "benchapp.h"
#include "devicesimulator.h"
#include "eventwait.h"
#include "guiwatch.h"
#include "simimage.h"
#include "ui/session/currentpicturecontrol.h"
#include "ui/session/linksession.h"
#include "ui/viewer/pixelcanvas.h"
#include "ui/viewer/vieweropener.h"
#include "ui/viewer/viewerwindow.h"
#include "ui/window/fontfamilies.h"
#include "windowrig.h"

#include <QApplication>
#include <QPushButton>
#include <QTextStream>
#include <QtTest>
#include <algorithm>

namespace {

const int kTimeoutMs = 120000;
const int kPictures = 300;
const int kPanSteps = 1000;

QTextStream out(stdout);

struct LiveFigures
{
    double cpuMsPerPicture = 0;
    double perSecond = 0;
};

// The GUI thread's CPU time per current picture while the live view runs at full speed.
LiveFigures followLive(WindowRig& rig, LinkSession* session)
{
    int arrived = 0;
    double firstCpu = 0;
    double lastCpu = 0;
    QElapsedTimer clock;
    qint64 firstNs = 0;
    qint64 lastNs = 0;
    // From one arrival to the next the thread does all a picture costs, its painting included;
    // the first arrival pays for the start and only opens the count.
    QMetaObject::Connection counting =
        QObject::connect(session, &LinkSession::signalCurrentImage, [&](const QImage&) {
            ++arrived;
            lastCpu = GuiWatch::threadCpuMs();
            lastNs = clock.nsecsElapsed();
            if (arrived == 1) {
                firstCpu = lastCpu;
                firstNs = lastNs;
            }
        });
    clock.start();
    session->toggleLiveView();
    const bool done = runUntil([&] { return arrived > kPictures; }, kTimeoutMs);
    session->toggleLiveView();
    runUntil([session] { return !session->currentPicture()->isPending(); }, kTimeoutMs);
    QObject::disconnect(counting);
    if (!done || arrived < 2)
        return {};
    rig.window.repaint();
    return {(lastCpu - firstCpu) / (arrived - 1), (arrived - 1) * 1e9 / double(lastNs - firstNs)};
}

void printLive(const char* what, const LiveFigures& figures, double without)
{
    out << QString("live view, %1: %2 ms GUI CPU per picture (%3 pictures per second)")
               .arg(what)
               .arg(figures.cpuMsPerPicture, 0, 'f', 3)
               .arg(figures.perSecond, 0, 'f', 1);
    if (without > 0)
        out << QString(", the viewer's part %1 ms").arg(figures.cpuMsPerPicture - without, 0, 'f', 3);
    out << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    defaultToOffscreen();
    printWarningsOnly();
    QApplication app(argc, argv);
    loadFontFamilies();
    WindowRig rig;
    if (!rig.ready()) {
        out << "the simulator or the window did not start" << Qt::endl;
        return 1;
    }
    const SimImage current = SimImage::pattern(0, 360, 240, 3);
    rig.sim.call([&current](DeviceSimulator& sim) {
        sim.setCurrentImage(current);
        sim.setCurrentStep(4);
    });
    auto* session = rig.window.findChild<LinkSession*>();
    if (!rig.connect(kTimeoutMs) ||
        !runUntil([session] { return !session->currentPictureRefusal(); }, kTimeoutMs)) {
        out << "no connection" << Qt::endl;
        return 1;
    }
    out << "Qt " << qVersion() << ", platform " << QGuiApplication::platformName() << ", scale "
        << rig.window.devicePixelRatioF() << Qt::endl;

    const LiveFigures closed = followLive(rig, session);
    printLive("viewer closed", closed, 0);

    auto* opener = rig.window.findChild<ViewerOpener*>();
    opener->slotOpenPreview();
    ViewerWindow* viewer = opener->viewer();
    if (!viewer || !QTest::qWaitForWindowExposed(viewer)) {
        out << "no viewer" << Qt::endl;
        return 1;
    }
    auto* canvas = viewer->findChild<PixelCanvas*>();
    printLive("viewer open at its fit", followLive(rig, session), closed.cpuMsPerPicture);

    canvas->zoomTo(8);
    viewer->slotWholePicture();
    viewer->findChild<QPushButton*>("buttonDifference")->setChecked(true);
    printLive("viewer at 8x, grid, whole-picture region, difference", followLive(rig, session),
              closed.cpuMsPerPicture);
    viewer->findChild<QPushButton*>("buttonDifference")->setChecked(false);

    // Panning at 32 times: a step right or left and up or down, then the repaint it causes.
    canvas->setRegion(QRect());
    canvas->zoomTo(32);
    QVector<double> cpu;
    QVector<double> wall;
    QElapsedTimer clock;
    for (int step = 0; step < kPanSteps; ++step) {
        const int direction = (step / 50) % 2 ? -1 : 1;
        const double cpuBefore = GuiWatch::threadCpuMs();
        clock.start();
        canvas->panBy(QPoint(7 * direction, 5 * direction));
        canvas->repaint();
        wall.append(clock.nsecsElapsed() / 1e6);
        cpu.append(GuiWatch::threadCpuMs() - cpuBefore);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    double sum = 0;
    for (double ms : cpu)
        sum += ms;
    out << QString("pan 360x240 at 32x, %1 steps: GUI CPU per step mean %2 ms, 99th percentile %3 ms, "
                   "longest %4 ms; wall longest %5 ms")
               .arg(kPanSteps)
               .arg(sum / cpu.size(), 0, 'f', 3)
               .arg(cpu.at(cpu.size() * 99 / 100), 0, 'f', 3)
               .arg(cpu.last(), 0, 'f', 3)
               .arg(wall.last(), 0, 'f', 3)
        << Qt::endl;
    return 0;
}
