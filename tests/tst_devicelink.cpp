// KaDevice over a real serial port: a pseudo-terminal with the device simulator at the far end.
// Port discovery sees only the ports each test offers.
#include "device/kadevice.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "simimage.h"
#include "support/debugcapture.h"
#include "support/framebytes.h"

#include <QSerialPort>
#include <QtTest>
#include <memory>
#include <sys/ioctl.h>

namespace {

const int kWaitMs = 20000;
const QString kBridge = QStringLiteral("CP2102 USB to UART Bridge Controller");
// Stands for the simulator's current pty in port lists.
const QString kSim = QStringLiteral("<sim>");
const QStringList kSimInfo{"KA-100", "SN 0001 FW 1.0", "1024 images", "ok"};
const QStringList kNoInfo{"", "", "", ""};

QString report(bool connected, int error, const QStringList& info = kSimInfo)
{
    return QStringLiteral("%1 %2 %3").arg(int(connected)).arg(error).arg(info.join('|'));
}

int bytesWaitingIn(const QSerialPort& port)
{
    int n = 0;
    return ::ioctl(int(port.handle()), FIONREAD, &n) == 0 ? n : -1;
}

// One device, the simulator it talks to and everything the device reports.
struct Rig
{
    DeviceSimulator sim;
    KaDevice device;
    QSerialPort* const port = device.findChild<QSerialPort*>();
    QSignalSpy peerClosed{&sim, &DeviceSimulator::peerClosed};
    QStringList reports;
    QStringList images;

    Rig()
    {
        QObject::connect(
            &device, &KaDevice::s_device_connect, &device,
            [this](bool connected, int error, const KaDeviceInfo& info) {
                reports << report(connected, error, {info.line1, info.line2, info.line3, info.line4});
            });
        QObject::connect(&device, &KaDevice::s_recv_stored_image, &device,
                         [this](int index, QImage* image) { take(QString::number(index), image); });
        QObject::connect(&device, &KaDevice::s_recv_current_image, &device,
                         [this](QImage* image) { take(QStringLiteral("current"), image); });
    }

    // The receiver owns each image.
    void take(const QString& what, QImage* image)
    {
        const std::unique_ptr<QImage> owned(image);
        images << what + ' ' + describe(image ? *image : QImage());
    }

    // Port discovery lists these ports, kSim being the simulator's pty at the time of the listing.
    void offer(const PortList& ports)
    {
        setPortListProvider([this, ports] {
            PortList out = ports;
            for (auto& port : out) {
                if (port.first == kSim)
                    port.first = sim.portName();
            }
            return out;
        });
    }

    // A fresh pty, offered as the bridge.
    bool open()
    {
        offer({{kSim, kBridge}});
        return sim.openPty();
    }

    bool handshake()
    {
        const int before = reports.size();
        device.connect_device_slot();
        const bool ok = QTest::qWaitFor([&] { return reports.size() > before; }, kWaitMs) &&
                        reports.mid(before) == QStringList{report(true, DEV_ERR_NONE)};
        if (!ok)
            qWarning() << "handshake failed, reports:" << reports;
        return ok;
    }
};

} // namespace

class TstDeviceLink : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setPortListProvider({}); }

    void portDiscovery_data()
    {
        QTest::addColumn<PortList>("ports");
        QTest::addColumn<bool>("connects");
        QTest::addColumn<QString>("failed"); // the port that fails to open, if any

        const PortList bridge{{kSim, kBridge}};
        const PortList missing{{"/dev/ttyKA_missing", "CP2104 USB to UART Bridge"}};
        const QString gone = missing.first().first;
        QTest::newRow("the bridge") << bridge << true << QString();
        QTest::newRow("first match cannot be opened")
            << missing + PortList{{"/dev/ttyKA_other", "USB Serial"}} + bridge << true << gone;
        QTest::newRow("no ports") << PortList() << false << QString();
        QTest::newRow("lower case cp21")
            << PortList{{kSim, "cp2102 usb to uart bridge controller"}} << false << QString();
        QTest::newRow("no match opens") << missing << false << gone;
    }

    void portDiscovery()
    {
        QFETCH(PortList, ports);
        QFETCH(bool, connects);
        QFETCH(QString, failed);

        Rig rig;
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        rig.offer(ports);
        DebugCapture debug;
        rig.device.connect_device_slot();
        // Without a port the answer comes at once, from inside the request.
        if (connects)
            QTRY_VERIFY_WITH_TIMEOUT(!rig.reports.isEmpty(), kWaitMs);
        QCOMPARE(rig.reports, QStringList{connects ? report(true, DEV_ERR_NONE)
                                                   : report(false, DEV_ERR_NO_PORT, kNoInfo)});
        QCOMPARE(rig.sim.receivedBytes(), connects ? QByteArray("AT_INFO*") : QByteArray());
        // A port that never opened was no connection: its failure names the port, once.
        const QStringList opens = debug.lines().filter("open failed:");
        QCOMPARE(opens.size(), int(!failed.isEmpty()));
        QVERIFY2(opens.join('\n').contains(failed), qPrintable(opens.join('\n')));
        QCOMPARE(debug.lines().filter("connection lost"), QStringList());
    }

    // No answer in time: the port is closed and nothing more is sent, a request meanwhile
    // included; the next connection starts clean.
    void silentDeviceIsLetGo()
    {
        Rig rig;
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        rig.sim.setSilent(true);
        rig.device.connect_device_slot();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.reports.isEmpty(), kWaitMs);
        QCOMPARE(rig.reports, QStringList{report(false, DEV_ERR_NO_ANSWER, kNoInfo)});
        QVERIFY(!rig.port->isOpen());
        QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 1, kWaitMs);

        rig.device.get_stored_image_slot();
        rig.sim.setSilent(false);
        QVERIFY(rig.handshake());
        QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_INFO*"));

        // Nor is a reply that comes too late after a working connection waited for.
        rig.device.disconnect_device_slot();
        rig.sim.setInfoDelay(1500);
        rig.device.connect_device_slot();
        QTRY_COMPARE_WITH_TIMEOUT(rig.reports.last(), report(false, DEV_ERR_NO_ANSWER), kWaitMs);
        QVERIFY(!rig.port->isOpen());
    }

    // A handshake cut off by a pulled cable is answered at once, and its check cannot end the
    // next attempt: that one connects although its reply comes after the first check was due.
    void abortedHandshakeLeavesNextAttemptAlone()
    {
        Rig rig;
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        rig.sim.setSilent(true);
        QElapsedTimer clock;
        clock.start();
        rig.device.connect_device_slot();
        QTimer::singleShot(100, &rig.sim, [&rig] { rig.sim.hangUp(); });
        QTRY_VERIFY_WITH_TIMEOUT(!rig.port->isOpen(), kWaitMs);

        QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() >= 250, kWaitMs);
        rig.sim.setSilent(false);
        rig.sim.setInfoDelay(400);
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        rig.device.connect_device_slot();
        bool settled = false; // once past both attempts' checks
        QTimer::singleShot(1000, &rig.device, [&settled] { settled = true; });
        QTRY_VERIFY_WITH_TIMEOUT(settled, kWaitMs);
        QCOMPARE(rig.reports,
                 (QStringList{report(false, DEV_ERR_NO_ANSWER, kNoInfo), report(true, DEV_ERR_NONE)}));
        QVERIFY(rig.port->isOpen());
    }

    // While the reply is on its way, connecting and disconnecting again are ignored, and a
    // request goes out at once.
    void handshakeUndisturbed()
    {
        Rig rig;
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        rig.sim.setInfoDelay(100);
        QSignalSpy commands(&rig.sim, &DeviceSimulator::commandReceived);
        rig.device.connect_device_slot();
        rig.device.connect_device_slot();
        rig.device.disconnect_device_slot();
        QVERIFY(commands.wait(kWaitMs));
        rig.device.connect_device_slot();
        rig.device.disconnect_device_slot();
        rig.device.get_stored_image_slot();
        QTRY_COMPARE_WITH_TIMEOUT(rig.sim.commands(), (QList<QByteArray>{"AT_INFO*", "AT_GSI**"}), kWaitMs);

        QTRY_VERIFY_WITH_TIMEOUT(!rig.reports.isEmpty(), kWaitMs);
        QCOMPARE(rig.reports, QStringList{report(true, DEV_ERR_NONE)});
        QVERIFY(rig.port->isOpen());
        QCOMPARE(rig.peerClosed.count(), 0);
    }

    // Commands go out as given, never past their text nor beyond eight bytes; disconnecting
    // says so to the device and closes the port. Errors that are no failure of the port (a
    // cleared error, a wait that ran out as Disconnect's bounded one may) neither end the
    // connection nor give Disconnect a failure reason.
    void commandsAndDisconnect()
    {
        Rig rig;
        QSignalSpy failures(&rig.device, &KaDevice::s_link_failure);
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        QVERIFY(rig.handshake());
        QVERIFY(!rig.port->waitForReadyRead(0));
        QCOMPARE(rig.port->error(), QSerialPort::TimeoutError);
        rig.port->clearError();
        rig.device.send_at_cmd(QStringLiteral("AT_X"));
        rig.device.send_at_cmd(QStringLiteral("AT_HB***and more"));
        rig.device.delete_stored_image_slot(0); // the device has no way to delete a picture
        QVERIFY(rig.port->isOpen());
        rig.device.disconnect_device_slot();
        QVERIFY(!rig.port->isOpen());
        QCOMPARE(rig.reports, (QStringList{report(true, DEV_ERR_NONE), report(false, DEV_ERR_NONE)}));
        QCOMPARE(failures.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 1, kWaitMs);
        QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_XAT_HB***AT_DIS**"));
    }

    // Disconnect's command leaves before the port closes, behind earlier bytes the line cannot take
    // at once, and nothing follows it; a line that takes nothing more holds Disconnect up only briefly.
    void disconnectCommandLeavesBeforeTheClose()
    {
        Rig rig;
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        QVERIFY(rig.handshake());
        // The simulator reads on a thread of its own meanwhile, as a device would.
        QThread simThread;
        rig.sim.moveToThread(&simThread);
        simThread.start();
        const QByteArray backlog(32 * 1024, '.'); // more than the pty takes unread
        rig.port->write(backlog);
        rig.device.disconnect_device_slot();
        QThread* const here = QThread::currentThread();
        QMetaObject::invokeMethod(
            &rig.sim, [&rig, here] { rig.sim.moveToThread(here); }, Qt::BlockingQueuedConnection);
        simThread.quit();
        QVERIFY(simThread.wait(kWaitMs));
        QVERIFY(!rig.port->isOpen());
        QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 1, kWaitMs);
        QCOMPARE(rig.sim.receivedBytes(), "AT_INFO*" + backlog + "AT_DIS**");

        // Back on this thread, the simulator reads nothing while Disconnect runs: the pty fills up.
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        QVERIFY(rig.handshake());
        rig.port->write(QByteArray(1 << 20, '.'));
        QElapsedTimer clock;
        clock.start();
        rig.device.disconnect_device_slot();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!rig.port->isOpen());
        QCOMPARE(rig.reports.last(), report(false, DEV_ERR_NONE));
    }

    // A pulled cable ends the connection, and the next one is not taken for the rest of the
    // picture that was cut off.
    void hangUpMidTransfer()
    {
        Rig rig;
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        const SimImage image = SimImage::pattern(3, 16, 16, 3);
        rig.sim.setStoredImages({image});
        rig.sim.setCutShort(100);
        QSignalSpy failures(&rig.device, &KaDevice::s_link_failure);
        QVERIFY(rig.handshake());
        DebugCapture debug;

        // Let the device take in the header and the first pixels, then hang up.
        QSignalSpy drained(&rig.sim, &DeviceSimulator::outputDrained);
        QSignalSpy readyRead(rig.port, &QSerialPort::readyRead);
        rig.device.get_stored_image_slot();
        QVERIFY(drained.wait(kWaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(readyRead.count() > 0 && bytesWaitingIn(*rig.port) == 0, kWaitMs);
        rig.sim.hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(rig.reports.size() > 1, kWaitMs);
        QCOMPARE(rig.reports, (QStringList{report(true, DEV_ERR_NONE), report(false, DEV_ERR_NONE)}));
        QCOMPARE(failures.count(), 1);
        const auto failure = failures.at(0).at(0).value<KaLinkFailure>();
        QCOMPARE(failure.reason, KaLinkFailure::Lost);
        QVERIFY(endsConnection(failure.port_error));
        QCOMPARE(debug.lines().filter("connection lost:").size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.port->isOpen(), kWaitMs);

        rig.sim.setCutShort(std::nullopt);
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        QVERIFY(rig.handshake());
        rig.device.get_stored_image_slot();
        QTRY_COMPARE_WITH_TIMEOUT(rig.images, QStringList{"3 " + describe(image.toQImage())}, kWaitMs);
    }

    // Every pixel size arrives as the simulator holds it, and the handshake's check, once past,
    // leaves the working link alone.
    void imageTransfer()
    {
        Rig rig;
        QVERIFY2(rig.open(), qPrintable(rig.sim.errorString()));
        // Rows of 7, 15 and 6 bytes need padding in a QImage; 303-byte rows span many reads.
        const QList<SimImage> images{SimImage::pattern(4, 7, 5, 1), SimImage::pattern(9, 5, 3, 3),
                                     SimImage::pattern(2, 3, 2, 2), SimImage::pattern(7, 101, 67, 3)};
        const SimImage current = SimImage::pattern(0, 7, 3, 2);
        rig.sim.setStoredImages(images);
        rig.sim.setCurrentImage(current);
        QVERIFY(rig.handshake());
        // Single-shot timers fire in the order they expire: once this one has, so has the check.
        bool checked = false;
        QTimer::singleShot(1000, Qt::PreciseTimer, &rig.device, [&checked] { checked = true; });
        QTRY_VERIFY_WITH_TIMEOUT(checked, kWaitMs);

        rig.device.get_stored_image_slot();
        rig.device.get_current_image_slot();
        QStringList expected;
        for (const SimImage& image : images)
            expected << QString::number(image.index) + ' ' + describe(image.toQImage());
        expected << "current " + describe(current.toQImage());
        QTRY_COMPARE_WITH_TIMEOUT(rig.images, expected, kWaitMs);
        QCOMPARE(rig.reports, QStringList{report(true, DEV_ERR_NONE)});
    }
};

QTEST_GUILESS_MAIN(TstDeviceLink)
#include "tst_devicelink.moc"
