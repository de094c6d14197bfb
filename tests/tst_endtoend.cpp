// The program as a user meets it: the real window with its worker thread and a real serial port,
// talking over a pseudo-terminal to the device simulator.
#include "app/fontfamilies.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "simimage.h"
#include "support/dialoganswer.h"
#include "support/shownwindow.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPushButton>
#include <QtTest>

#include <optional>

namespace {

// Noisy shared machines: every wait is generous, none is a measure of speed.
const int kWaitMs = 30000;
const QStringList kInfoLines{"KA-100", " SN 0042 FW 2.1 ", "1024 images", "ok"};
const QList<QByteArray> kHandshake{"AT_INFO*", "AT_GSI**"};
const QStringList kRowNumbers{"5", "7", "2"};

// Indexes out of order, all three pixel formats, and a 123-byte row that image memory pads to 124.
const QList<SimImage> kPictures{SimImage::pattern(5, 123, 77, 1), SimImage::pattern(7, 360, 240, 2),
                                SimImage::pattern(2, 360, 240, 3)};

// The port discovery finds. The worker thread asks for it while the test may move the simulator
// to a fresh pty, hence the lock.
QMutex offerMutex;
QString offeredPort;

void offerPort(const QString& name)
{
    QMutexLocker lock(&offerMutex);
    offeredPort = name;
}

PortList offeredPorts()
{
    QMutexLocker lock(&offerMutex);
    if (offeredPort.isEmpty())
        return {};
    return {qMakePair(offeredPort, QStringLiteral("CP2102 USB to UART Bridge Controller"))};
}

// One test's world. The window is declared last, so its port closes before the simulator's pty.
struct Rig
{
    Rig()
    {
        sim.setInfoLines(kInfoLines);
        sim.setStoredImages(kPictures);
        simOpen = sim.openPty();
        offerPort(sim.portName());
    }

    QString text(const char* label) const { return ui.child(label)->text(); }
    void click(const char* button) { QTest::mouseClick(ui.child<QPushButton>(button), Qt::LeftButton); }

    DeviceSimulator sim;
    bool simOpen = false;
    ShownWindow ui;
};

// Connect, then every picture arrives intact in its own row, and the last one is on show.
void connectAndReceiveAll(Rig& rig)
{
    QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
    QVERIFY(rig.ui.exposed);
    const int commandsBefore = rig.sim.commands().size();
    rig.click("buttonConnect");
    QTRY_COMPARE_WITH_TIMEOUT(rig.text("labelStatusText"), QString("Connected"), kWaitMs);
    QCOMPARE(rig.text("labelDeviceInfo"), kInfoLines.at(1));
    QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.ui.list()), kRowNumbers, kWaitMs);
    QCOMPARE(rig.sim.commands().mid(commandsBefore), kHandshake);
    QCOMPARE(rig.ui.preview(), rgb(kPictures.last().toQImage()));
    for (int row = 0; row < kPictures.size(); ++row) {
        clickRow(rig.ui.list(), row);
        QCOMPARE(rig.ui.preview(), rgb(kPictures.at(row).toQImage()));
    }
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        loadFontFamilies();
        setPortListProvider(offeredPorts);
    }
    void cleanupTestCase() { setPortListProvider({}); }
    void transferPreviewAndExportAll();
    void disconnectByButtonKeepsEverything();
    void cablePulledMidTransferThenReconnect();
};

void TestEndToEnd::transferPreviewAndExportAll()
{
    Rig rig;
    connectAndReceiveAll(rig);
    if (QTest::currentTestFailed())
        return;

    const QString out = rig.ui.workDir.path();
    {
        DialogAnswer answer(out);
        rig.click("buttonExportAll");
        QCOMPARE(answer.dialogs(), 1);
    }
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
             QStringList({"Image_2.jpg", "Image_5.jpg", "Image_7.jpg"}));
    for (int row = 0; row < kPictures.size(); ++row)
        verifyExported(out + "/Image_" + kRowNumbers.at(row) + ".jpg", rig.ui.exportView(row));
}

void TestEndToEnd::disconnectByButtonKeepsEverything()
{
    Rig rig;
    QSignalSpy peerClosed(&rig.sim, &DeviceSimulator::peerClosed);
    connectAndReceiveAll(rig);
    if (QTest::currentTestFailed())
        return;
    const QImage shown = onScreen(rig.ui.child("labelFrame"));

    rig.click("buttonConnect");
    QTRY_COMPARE_WITH_TIMEOUT(peerClosed.count(), 1, kWaitMs);
    QCOMPARE(rig.sim.commands(), kHandshake + QList<QByteArray>{"AT_DIS**"});
    QTRY_COMPARE_WITH_TIMEOUT(rig.text("labelStatusText"), QString("Disonnected"), kWaitMs);
    QCOMPARE(rig.text("labelDeviceInfo"), QString());
    QCOMPARE(rowNumbers(rig.ui.list()), kRowNumbers);
    QCOMPARE(onScreen(rig.ui.child("labelFrame")), shown);
}

void TestEndToEnd::cablePulledMidTransferThenReconnect()
{
    Rig rig;
    QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
    // The second picture stops 150000 of its 172800 pixel bytes in: more than a pty holds
    // unread, so once it is all written the window's port is part way through the pixels.
    rig.sim.setCutShort(150000, 1);
    // At the line's own rate the pull comes seconds after the handshake, past its 600 ms check,
    // which is never cancelled and could otherwise cut off the reconnect.
    rig.sim.setPaced(true);
    QSignalSpy drained(&rig.sim, &DeviceSimulator::outputDrained);

    rig.click("buttonConnect");
    // Once for the information reply, once for the transfer.
    QTRY_COMPARE_WITH_TIMEOUT(drained.count(), 2, kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.ui.list()), QStringList("5"), kWaitMs);
    rig.sim.hangUp();
    QTRY_COMPARE_WITH_TIMEOUT(rig.text("labelStatusText"), QString("Disonnected"), kWaitMs);
    QCOMPARE(rowNumbers(rig.ui.list()), QStringList("5"));

    // The cable goes back in on a new pty. A link still waiting for the rest of the cut picture
    // would swallow the handshake reply.
    rig.sim.setCutShort(std::nullopt);
    rig.sim.setPaced(false);
    QVERIFY2(rig.sim.openPty(), qPrintable(rig.sim.errorString()));
    offerPort(rig.sim.portName());
    connectAndReceiveAll(rig);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
