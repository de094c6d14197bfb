// The program as a user meets it: the real window with its worker thread and a real serial port,
// talking over a pseudo-terminal to the device simulator.
#include "device/portlist.h"
#include "devicesimulator.h"
#include "simimage.h"
#include "support/dialoganswer.h"
#include "support/shownwindow.h"
#include "ui/window/fontfamilies.h"

#include <QPushButton>
#include <QSemaphore>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>

namespace {

// Noisy shared machines: every wait is generous, none is a measure of speed.
const int kWaitMs = 30000;
const QStringList kInfoLines{"KA-100", " SN 0042 FW 2.1 ", "1024 images", "ok"};
const QStringList kRowNumbers{"5", "7", "2"};

// Indexes out of order, all three pixel formats, and a 123-byte row that image memory pads to 124.
const QList<SimImage> kPictures{SimImage::pattern(5, 123, 77, 1), SimImage::pattern(7, 360, 240, 2),
                                SimImage::pattern(2, 360, 240, 3)};

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }
    void cleanupTestCase() { setPortListProvider({}); }
    void connectReceiveExportDisconnect();
    void closingMidTransferFreesQueuedPictures();
};

void TestEndToEnd::connectReceiveExportDisconnect()
{
    DeviceSimulator sim;
    sim.setInfoLines(kInfoLines);
    sim.setStoredImages(kPictures);
    QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
    const PortList ports{{sim.portName(), "CP2102 USB to UART Bridge Controller"}};
    setPortListProvider([ports] { return ports; });
    QSignalSpy peerClosed(&sim, &DeviceSimulator::peerClosed);
    // Declared after the simulator, so the window's port closes before the simulator's pty.
    ShownWindow ui;
    QVERIFY(ui.exposed);
    const auto text = [&ui](const char* label) { return ui.child(label)->text(); };
    const auto click = [&ui](const char* button) {
        QTest::mouseClick(ui.child<QPushButton>(button), Qt::LeftButton);
    };

    // Every picture arrives intact in its own row, and the last one is on show.
    click("buttonConnect");
    QTRY_COMPARE_WITH_TIMEOUT(text("labelStatusText"), QString("Connected"), kWaitMs);
    QCOMPARE(text("labelDeviceInfo"), kInfoLines.at(1));
    QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(ui.list()), kRowNumbers, kWaitMs);
    QCOMPARE(ui.preview(), rgb(kPictures.last().toQImage()));
    for (int row = 0; row < kPictures.size(); ++row) {
        clickRow(ui.list(), row);
        QCOMPARE(ui.preview(), rgb(kPictures.at(row).toQImage()));
    }

    {
        DialogAnswer answer(ui.workDir.path());
        click("buttonExportAll");
        QCOMPARE(answer.dialogs(), 1);
    }
    QCOMPARE(QDir(ui.workDir.path()).entryList({"*.jpg"}, QDir::Files, QDir::Name),
             QStringList({"Image_2.jpg", "Image_5.jpg", "Image_7.jpg"}));
    for (int row = 0; row < kPictures.size(); ++row)
        verifyExported(ui.workDir.filePath("Image_" + kRowNumbers.at(row) + ".jpg"), ui.exportView(row));

    // Disconnecting tells the device and closes the port; the rows stay.
    click("buttonConnect");
    QTRY_COMPARE_WITH_TIMEOUT(peerClosed.count(), 1, kWaitMs);
    QCOMPARE(sim.commands(), (QList<QByteArray>{"AT_INFO*", "AT_GSI**", "AT_DIS**"}));
    QTRY_COMPARE_WITH_TIMEOUT(text("labelStatusText"), QString("Disonnected"), kWaitMs);
    QCOMPARE(rowNumbers(ui.list()), kRowNumbers);
}

// Closed while pictures wait for it in queued calls, the window frees them: under the sanitizers
// a picture left behind fails the suite at exit.
void TestEndToEnd::closingMidTransferFreesQueuedPictures()
{
    QList<SimImage> pictures;
    for (int index = 0; index < 100; ++index)
        pictures.append(SimImage::pattern(index, 64, 48, 3)); // 900 KB in all, far more than a pty holds
    // On a thread of its own, so that it sends while the window's thread takes no events.
    auto* sim = new DeviceSimulator;
    sim->setStoredImages(pictures);
    QVERIFY2(sim->openPty(), qPrintable(sim->errorString()));
    const PortList ports{{sim->portName(), "CP2102 USB to UART Bridge Controller"}};
    setPortListProvider([ports] { return ports; });
    std::atomic<bool> asked{false};
    QSemaphore sent;
    connect(sim, &DeviceSimulator::commandReceived, sim,
            [&asked](const QByteArray& command) { asked = asked || command == "AT_GSI**"; });
    connect(sim, &DeviceSimulator::outputDrained, sim, [&asked, &sent] {
        if (asked)
            sent.release();
    });
    QThread simThread;
    sim->moveToThread(&simThread);
    connect(&simThread, &QThread::finished, sim, &QObject::deleteLater);
    simThread.start();

    auto ui = std::make_unique<ShownWindow>();
    QSignalSpy requested(&ui->window, &MainWindow::signalGetStoredImage);
    QTest::mouseClick(ui->child<QPushButton>("buttonConnect"), Qt::LeftButton);
    QVERIFY(requested.wait(kWaitMs));
    // From here on the window's thread takes no events: every picture the worker reads waits in a
    // queued call.
    QVERIFY(sent.tryAcquire(1, kWaitMs));
    QCOMPARE(ui->list()->count(), 0);
    ui->window.close();
    ui.reset();

    simThread.quit();
    QVERIFY(simThread.wait(kWaitMs));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
