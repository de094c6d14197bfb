// The real window against a simulated device: no hardware needed to try the program.
#include "app/viewerapplication.h"
#include "demoscenes.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "ui/window/mainwindow.h"

#include <QCommandLineParser>
#include <QPushButton>
#include <QTimer>

int main(int argc, char* argv[])
{
    ViewerApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("kaviewer connected to a simulated imaging device");
    parser.addHelpOption();
    const QCommandLineOption connectOption("connect", "Press Connect right after start.");
    const QCommandLineOption pacedOption("paced", "Send at the real line rate of 46,080 bytes per second.");
    parser.addOption(connectOption);
    parser.addOption(pacedOption);
    parser.process(app);

    DeviceSimulator simulator;
    if (!simulator.openPty()) {
        qCritical("cannot open a pseudo-terminal: %s", qPrintable(simulator.errorString()));
        return 1;
    }
    simulator.setInfoLines({"KA-100", "SN 2026-0042 FW 1.3", "6 images", "ready"});
    simulator.setPaced(parser.isSet(pacedOption));
    const int bppCycle[] = {3, 2, 1};
    QList<SimImage> images;
    for (int i = 0; i < 6; ++i)
        images.append(SimImage::fromImage(i + 1, demoScene(i + 1, 360, 240), bppCycle[i % 3]));
    simulator.setStoredImages(images);
    // F5 and Shift+F5 ask for this one; it moves on with every answer, so the live view moves.
    simulator.setCurrentImage(SimImage::fromImage(0, demoScene(0, 360, 240), 3));
    simulator.setCurrentStep(12);
    setPortListProvider([&simulator] {
        return PortList{{simulator.portName(), "CP2102N USB to UART Bridge Controller (simulated)"}};
    });

    int result;
    {
        MainWindow window;
        window.show();
        if (parser.isSet(connectOption)) {
            QPushButton* buttonConnect = window.findChild<QPushButton*>("buttonConnect");
            QTimer::singleShot(0, buttonConnect, &QPushButton::click);
        }
        result = app.exec();
    }
    setPortListProvider(nullptr);
    return result;
}
