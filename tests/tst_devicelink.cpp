// KaDevice over a real serial port: a pseudo-terminal with the device simulator at the far end.
// Port discovery sees only the ports each test offers.
#include "device/kadevice.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/debugcapture.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <sys/ioctl.h>

namespace {

const int kWaitMs = 20000;
const QString kBridge = QStringLiteral("CP2102 USB to UART Bridge Controller");
// Stands for the simulator's current pty in the port lists below.
const QString kSim = QStringLiteral("<sim>");
const QString kMissing = QStringLiteral("/dev/ttyKA_missing");
const QStringList kSimInfo{"KA-100", "SN 0001 FW 1.0", "1024 images", "ok"};

template <int N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// Only the bytes that carry pixels, row by row: the padding QImage adds to each row is left out.
QString describe(const QImage& image)
{
    if (image.isNull())
        return QStringLiteral("null");
    const int rowBytes = image.width() * image.depth() / 8;
    QByteArray rows;
    for (int y = 0; y < image.height(); ++y)
        rows += QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    return QStringLiteral("%1x%2 format %3 %4")
        .arg(image.width())
        .arg(image.height())
        .arg(int(image.format()))
        .arg(QString::fromLatin1(rows.toHex()));
}

QString stored(int index, const QImage& image)
{
    return QString::number(index) + ' ' + describe(image);
}

// "connected error line1|line2|line3|line4" for each report.
QStringList reportsOf(const QSignalSpy& spy)
{
    QStringList out;
    for (const QList<QVariant>& args : spy) {
        const auto info = args.at(2).value<KaDeviceInfo>();
        out << QStringLiteral("%1 %2 %3")
                   .arg(int(args.at(0).toBool()))
                   .arg(args.at(1).toInt())
                   .arg(QStringList{info.line1, info.line2, info.line3, info.line4}.join('|'));
    }
    return out;
}

QString report(bool connected, int error, const QStringList& info = kSimInfo)
{
    return QStringLiteral("%1 %2 %3").arg(int(connected)).arg(error).arg(info.join('|'));
}

int bytesWaitingIn(const QSerialPort& port)
{
    int n = 0;
    return ::ioctl(int(port.handle()), FIONREAD, &n) == 0 ? n : -1;
}

// One device, the simulator it talks to and everything they report.
struct Rig
{
    DebugCapture debug;
    DeviceSimulator sim;
    KaDevice device;
    QSerialPort* const port = device.findChild<QSerialPort*>();
    QSignalSpy reports{&device, &KaDevice::s_device_connect};
    QSignalSpy commands{&sim, &DeviceSimulator::commandReceived};
    QSignalSpy peerClosed{&sim, &DeviceSimulator::peerClosed};
    QSignalSpy drained{&sim, &DeviceSimulator::outputDrained};
    QList<QPair<int, QImage>> images;
    QList<QImage> currentImages;

    Rig()
    {
        // The receiver owns each image: keep a copy, free the original.
        QObject::connect(&device, &KaDevice::s_recv_stored_image, &device, [this](int index, QImage* image) {
            const std::unique_ptr<QImage> owned(image);
            images.append({index, image ? *image : QImage()});
        });
        QObject::connect(&device, &KaDevice::s_recv_current_image, &device, [this](QImage* image) {
            const std::unique_ptr<QImage> owned(image);
            currentImages.append(image ? *image : QImage());
        });
    }

    // Port discovery lists these ports; kSim is the simulator's pty as it is at the time.
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

    QStringList imageList() const
    {
        QStringList out;
        for (const auto& image : images)
            out << stored(image.first, image.second);
        return out;
    }
};

#define CHECKED(call)                                                                                        \
    do {                                                                                                     \
        call;                                                                                                \
        if (QTest::currentTestFailed())                                                                      \
            return;                                                                                          \
    } while (false)

void openSim(Rig& rig)
{
    QVERIFY2(rig.sim.openPty(), qPrintable(rig.sim.errorString()));
}

// Connects to the simulator and waits for the handshake to succeed.
void handshake(Rig& rig)
{
    const int before = rig.reports.count();
    rig.device.connect_device_slot();
    QTRY_VERIFY_WITH_TIMEOUT(rig.reports.count() > before, kWaitMs);
    QCOMPARE(reportsOf(rig.reports).mid(before), QStringList{report(true, DEV_ERR_NONE)});
}

// Asks for the stored images and waits until `count` more have arrived; the device has then
// seen everything the simulator sent before them, and the simulator everything written before
// the request.
void fetchStoredImages(Rig& rig, int count)
{
    const int before = rig.images.size();
    rig.device.get_stored_image_slot();
    QTRY_COMPARE_WITH_TIMEOUT(rig.images.size(), before + count, kWaitMs);
}

// Single-shot timers on one thread fire in the order they expire: once this one has fired, so
// has every check timer started before it.
void waitPastEarlierTimers()
{
    QTimer sentinel;
    sentinel.setSingleShot(true);
    sentinel.setTimerType(Qt::PreciseTimer);
    QSignalSpy fired(&sentinel, &QTimer::timeout);
    sentinel.start(1000);
    QVERIFY(fired.wait(kWaitMs));
}

} // namespace

class TstDeviceLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void portDiscovery_data();
    void portDiscovery();
    void handshakeWithoutAnswer_data();
    void handshakeWithoutAnswer();
    void secondConnectDuringHandshakeIgnored();
    void connectWhileConnectedDoesNothing();
    void disconnectDuringHandshakeIgnored();
    void disconnectAfterHandshake();
    void hangUpWhileConnected();
    void hangUpMidTransferDoesNotSwallowNextHandshake();
    void commandsAreTheirOwnBytes();
    void storedImageRequestWhilePortClosed();
    void storedImageRequestDuringHandshake();
    void imageTransfer();
};

void TstDeviceLink::initTestCase()
{
    qRegisterMetaType<KaDeviceInfo>("KaDeviceInfo");
}

void TstDeviceLink::cleanup()
{
    setPortListProvider({});
}

void TstDeviceLink::portDiscovery_data()
{
    QTest::addColumn<PortList>("ports");
    QTest::addColumn<bool>("connects");
    QTest::addColumn<PortList>("tried"); // logged, in this order

    const PortList bridge{{kSim, kBridge}};
    QTest::newRow("the bridge") << bridge << true << bridge;
    QTest::newRow("CP21 at the end") << PortList{{kSim, "Silicon Labs CP21"}} << true
                                     << PortList{{kSim, "Silicon Labs CP21"}};
    QTest::newRow("other ports first")
        << PortList{{"/dev/ttyKA_other", "USB Serial"}, {"/dev/ttyKA_none", ""}, {kSim, kBridge}} << true
        << bridge;
    QTest::newRow("first match cannot be opened")
        << PortList{{kMissing, "CP2104 USB to UART Bridge"}, {kSim, kBridge}} << true
        << PortList{{kMissing, "CP2104 USB to UART Bridge"}, {kSim, kBridge}};
    QTest::newRow("first match opens, later ones unused")
        << PortList{{kSim, kBridge}, {kMissing, "CP2105 Dual"}} << true << bridge;

    QTest::newRow("no ports") << PortList() << false << PortList();
    QTest::newRow("lower case cp2102")
        << PortList{{kSim, "cp2102 usb to uart bridge controller"}} << false << PortList();
    QTest::newRow("mixed case Cp21") << PortList{{kSim, "Cp2102"}} << false << PortList();
    QTest::newRow("other adapters") << PortList{{kSim, "FT232R USB UART"}, {kSim, "CP2"}, {kSim, ""}} << false
                                    << PortList();
    QTest::newRow("no match opens") << PortList{{kMissing, "CP2102"}, {"/dev/ttyKA_gone", "CP2102 again"}}
                                    << false
                                    << PortList{{kMissing, "CP2102"}, {"/dev/ttyKA_gone", "CP2102 again"}};
}

void TstDeviceLink::portDiscovery()
{
    QFETCH(PortList, ports);
    QFETCH(bool, connects);
    QFETCH(PortList, tried);

    Rig rig;
    CHECKED(openSim(rig));
    rig.offer(ports);
    rig.device.connect_device_slot();

    if (connects) {
        QCOMPARE(rig.reports.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(rig.reports.count(), 1, kWaitMs);
        QCOMPARE(reportsOf(rig.reports), QStringList{report(true, DEV_ERR_NONE)});
        QCOMPARE(rig.sim.commands(), QList<QByteArray>{"AT_INFO*"});
        QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*"));
        QVERIFY(rig.debug.contains("send cmd AT_INFO*"));
    } else {
        // Reported at once, from inside the request.
        QCOMPARE(reportsOf(rig.reports), QStringList{report(false, DEV_ERR_NO_PORT, {"", "", "", ""})});
        QVERIFY(!rig.port->isOpen());
        QVERIFY(!rig.debug.contains("send cmd AT_INFO*"));
    }

    // Name, then description, of every port tried, in list order; no other port is named.
    const auto nameOf = [&rig](const QString& name) { return name == kSim ? rig.sim.portName() : name; };
    const QStringList lines = rig.debug.lines();
    QStringList triedNames;
    int at = 0;
    for (const auto& port : tried) {
        const QString name = nameOf(port.first);
        triedNames << name;
        while (at < lines.size() && !lines[at].contains(name))
            ++at;
        QVERIFY2(at + 1 < lines.size(), qPrintable("not logged in order: " + name));
        QVERIFY2(lines[at + 1].contains(port.second), qPrintable(lines[at + 1]));
        at += 2;
    }
    for (const auto& port : ports) {
        const QString name = nameOf(port.first);
        for (const QString& line : lines)
            QVERIFY2(triedNames.contains(name) || !line.contains(name), qPrintable(line));
    }
}

void TstDeviceLink::handshakeWithoutAnswer_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QStringList>("infoLines");
    QTest::addColumn<QStringList>("reported"); // the lines the report carries

    QTest::newRow("silent device") << true << kSimInfo << QStringList{"", "", "", ""};
    QTest::newRow("information line too long")
        << false << QStringList{"KA-100", QString(30, 'x'), "a", "b"} << QStringList{"KA-100", "", "", ""};
    QTest::newRow("three lines only")
        << false << QStringList{"KA-100", "SN 0001", "a"} << QStringList{"KA-100", "SN 0001", "a", ""};
}

void TstDeviceLink::handshakeWithoutAnswer()
{
    QFETCH(bool, silent);
    QFETCH(QStringList, infoLines);
    QFETCH(QStringList, reported);

    Rig rig;
    CHECKED(openSim(rig));
    rig.sim.setSilent(silent);
    rig.sim.setInfoLines(infoLines);
    rig.offer({{kSim, kBridge}});

    QElapsedTimer clock;
    clock.start();
    rig.device.connect_device_slot();
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports.count(), 1, kWaitMs);
    // The check waits 600 ms; a coarse timer fires at most 5 % early.
    QVERIFY2(clock.elapsed() >= 400, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(reportsOf(rig.reports), QStringList{report(false, DEV_ERR_NO_ANSWER, reported)});

    // The port is closed and the device got nothing but the request.
    QVERIFY(!rig.port->isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 1, kWaitMs);
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*"));

    // A request on the closed port is logged but goes nowhere; the next connection starts clean.
    rig.device.get_stored_image_slot();
    QVERIFY(rig.debug.contains("send cmd AT_GSI**"));
    rig.sim.setSilent(false);
    rig.sim.setInfoLines(kSimInfo);
    CHECKED(handshake(rig));
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_INFO*"));
}

void TstDeviceLink::secondConnectDuringHandshakeIgnored()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.sim.setInfoDelay(100);
    rig.sim.setStoredImages({SimImage::pattern(1, 2, 2, 1)});
    rig.offer({{kSim, kBridge}});

    rig.device.connect_device_slot();
    rig.device.connect_device_slot();
    QVERIFY(rig.commands.wait(kWaitMs));
    rig.device.connect_device_slot();
    QCOMPARE(rig.reports.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports.count(), 1, kWaitMs);

    CHECKED(fetchStoredImages(rig, 1));
    QCOMPARE(rig.sim.commands(), (QList<QByteArray>{"AT_INFO*", "AT_GSI**"}));
    QCOMPARE(reportsOf(rig.reports), QStringList{report(true, DEV_ERR_NONE)});
}

void TstDeviceLink::connectWhileConnectedDoesNothing()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.sim.setStoredImages({SimImage::pattern(1, 2, 2, 1)});
    rig.offer({{kSim, kBridge}});
    CHECKED(handshake(rig));

    rig.device.connect_device_slot();
    QCOMPARE(rig.reports.count(), 1);
    CHECKED(fetchStoredImages(rig, 1));
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_GSI**"));
    QCOMPARE(rig.reports.count(), 1);
    QCOMPARE(rig.peerClosed.count(), 0);
}

void TstDeviceLink::disconnectDuringHandshakeIgnored()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.sim.setInfoDelay(100);
    rig.sim.setStoredImages({SimImage::pattern(1, 2, 2, 1)});
    rig.offer({{kSim, kBridge}});

    rig.device.connect_device_slot();
    rig.device.disconnect_device_slot();
    QVERIFY(rig.commands.wait(kWaitMs));
    rig.device.disconnect_device_slot();
    QCOMPARE(rig.reports.count(), 0);
    QVERIFY(rig.port->isOpen());

    QTRY_COMPARE_WITH_TIMEOUT(rig.reports.count(), 1, kWaitMs);
    QCOMPARE(reportsOf(rig.reports), QStringList{report(true, DEV_ERR_NONE)});
    CHECKED(fetchStoredImages(rig, 1));
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_GSI**"));
    QCOMPARE(rig.peerClosed.count(), 0);
}

void TstDeviceLink::disconnectAfterHandshake()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.offer({{kSim, kBridge}});
    CHECKED(handshake(rig));

    // The device cannot delete pictures: nothing is sent for it.
    rig.device.delete_stored_image_slot(0);
    rig.device.delete_stored_image_slot(-1);

    rig.device.disconnect_device_slot();
    // A port error while flushing may report the end once more; every report says the same.
    const QStringList reports = reportsOf(rig.reports).mid(1);
    QVERIFY2(reports.size() == 1 || reports.size() == 2, qPrintable(reports.join(", ")));
    for (const QString& r : reports)
        QCOMPARE(r, report(false, DEV_ERR_NONE));
    QVERIFY(!rig.port->isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 1, kWaitMs);
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_DIS**"));

    // The handshake's check, still pending or not, finds the reply had come and stays quiet.
    CHECKED(waitPastEarlierTimers());
    QCOMPARE(reportsOf(rig.reports).mid(1), reports);
    rig.device.disconnect_device_slot();
    QCOMPARE(reportsOf(rig.reports).mid(1), reports);
}

void TstDeviceLink::hangUpWhileConnected()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.offer({{kSim, kBridge}});
    CHECKED(handshake(rig));

    rig.sim.hangUp();
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports.count(), 2, kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!rig.port->isOpen(), kWaitMs);

    // Closed and no longer connected, so a new connect goes ahead.
    CHECKED(openSim(rig));
    CHECKED(handshake(rig));
    QCOMPARE(reportsOf(rig.reports), (QStringList{report(true, DEV_ERR_NONE), report(false, DEV_ERR_NONE),
                                                  report(true, DEV_ERR_NONE)}));
    // The simulator keeps what it received over both ptys.
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_INFO*"));
}

void TstDeviceLink::hangUpMidTransferDoesNotSwallowNextHandshake()
{
    Rig rig;
    CHECKED(openSim(rig));
    const SimImage image = SimImage::pattern(3, 16, 16, 3);
    rig.sim.setStoredImages({image});
    rig.sim.setCutShort(100);
    rig.offer({{kSim, kBridge}});
    CHECKED(handshake(rig));

    // Let the device take in the header and the first pixels, then pull the cable.
    QSignalSpy readyRead(rig.port, &QSerialPort::readyRead);
    rig.drained.clear();
    rig.device.get_stored_image_slot();
    QVERIFY(rig.drained.wait(kWaitMs));
    QTRY_VERIFY_WITH_TIMEOUT(readyRead.count() > 0 && bytesWaitingIn(*rig.port) == 0, kWaitMs);
    rig.sim.hangUp();
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports.count(), 2, kWaitMs);
    QCOMPARE(reportsOf(rig.reports).last(), report(false, DEV_ERR_NONE));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.port->isOpen(), kWaitMs);

    // The new connection's reply is not taken for the rest of the old picture.
    rig.sim.setCutShort(std::nullopt);
    CHECKED(openSim(rig));
    CHECKED(handshake(rig));
    CHECKED(fetchStoredImages(rig, 1));
    QCOMPARE(rig.imageList(), QStringList{stored(3, image.toQImage())});
}

void TstDeviceLink::commandsAreTheirOwnBytes()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.offer({{kSim, kBridge}});
    CHECKED(handshake(rig));

    rig.device.send_at_cmd(QStringLiteral("AT_X"));
    rig.device.send_at_cmd(QStringLiteral("AT_HB***and more"));
    rig.device.get_current_image_slot(); // the simulator has none, so it stays quiet
    QVERIFY(rig.debug.contains("send cmd AT_GCI**"));
    rig.device.disconnect_device_slot();
    QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 1, kWaitMs);
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_XAT_HB***AT_GCI**AT_DIS**"));
}

void TstDeviceLink::storedImageRequestWhilePortClosed()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.offer({{kSim, kBridge}});

    rig.device.get_stored_image_slot();
    QCOMPARE(rig.debug.lines().count("send cmd AT_GSI**"), 1);
    QCOMPARE(rig.reports.count(), 0);
    QVERIFY(!rig.port->isOpen());

    CHECKED(handshake(rig));
    rig.device.disconnect_device_slot();
    QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 1, kWaitMs);
    rig.device.get_stored_image_slot();
    QCOMPARE(rig.debug.lines().count("send cmd AT_GSI**"), 2);

    // Nothing was kept back for the next opening either.
    CHECKED(handshake(rig));
    rig.device.disconnect_device_slot();
    QTRY_COMPARE_WITH_TIMEOUT(rig.peerClosed.count(), 2, kWaitMs);
    QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_DIS**AT_INFO*AT_DIS**"));
}

void TstDeviceLink::storedImageRequestDuringHandshake()
{
    Rig rig;
    CHECKED(openSim(rig));
    rig.sim.setInfoDelay(100);
    rig.offer({{kSim, kBridge}});

    rig.device.connect_device_slot();
    QVERIFY(rig.commands.wait(kWaitMs));
    rig.device.get_stored_image_slot();
    QTRY_COMPARE_WITH_TIMEOUT(rig.sim.commands(), (QList<QByteArray>{"AT_INFO*", "AT_GSI**"}), kWaitMs);
    QVERIFY(rig.debug.contains("send cmd AT_GSI**"));
    // The "no pictures" answer overtakes the delayed reply and does not disturb it.
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports.count(), 1, kWaitMs);
    QCOMPARE(reportsOf(rig.reports), QStringList{report(true, DEV_ERR_NONE)});
}

void TstDeviceLink::imageTransfer()
{
    Rig rig;
    CHECKED(openSim(rig));
    // Rows of 7, 15 and 6 bytes need padding in a QImage; 303-byte rows span many reads.
    const QList<SimImage> first{SimImage::pattern(4, 7, 5, 1), SimImage::pattern(9, 5, 3, 3),
                                SimImage::pattern(2, 3, 2, 2), SimImage::pattern(0, 16, 8, 2),
                                SimImage::pattern(7, 101, 67, 3)};
    rig.sim.setStoredImages(first);
    rig.sim.setJunkBeforeReply(bytesOf("\x00\xff~junk\r\nAT_HB\r\nAT_WHAT\r\n\n"));
    rig.offer({{kSim, kBridge}});
    CHECKED(handshake(rig));

    CHECKED(fetchStoredImages(rig, first.size()));
    QStringList expected;
    QStringList indexes;
    for (const SimImage& image : first) {
        expected << stored(image.index, image.toQImage());
        indexes << QString::number(image.index);
    }
    QCOMPARE(rig.imageList(), expected);
    QVERIFY(rig.debug.contains("send cmd AT_GSI**"));
    QStringList logged;
    for (const QString& line : rig.debug.lines()) {
        if (line.startsWith(QLatin1String("image:")))
            logged << line.mid(6).trimmed();
    }
    QCOMPARE(logged, indexes);

    // Heartbeats and noise between transfers; then a paced one, which arrives in small reads.
    rig.sim.sendHeartbeat();
    rig.sim.sendRaw(bytesOf("noise\r\nAT_NSI\r\n\r\nAT\r\n"));
    rig.sim.sendHeartbeat();
    const QList<SimImage> second{SimImage::pattern(11, 9, 4, 3), SimImage::pattern(12, 5, 5, 1)};
    rig.sim.setStoredImages(second);
    rig.sim.setPaced(true);
    CHECKED(fetchStoredImages(rig, second.size()));
    for (const SimImage& image : second)
        expected << stored(image.index, image.toQImage());
    QCOMPARE(rig.imageList(), expected);

    const SimImage current = SimImage::pattern(0, 7, 3, 2);
    rig.sim.setPaced(false);
    rig.sim.setCurrentImage(current);
    rig.device.get_current_image_slot();
    QTRY_COMPARE_WITH_TIMEOUT(rig.currentImages.size(), 1, kWaitMs);
    QCOMPARE(describe(rig.currentImages[0]), describe(current.toQImage()));
    QVERIFY(rig.debug.contains("current image"));

    QCOMPARE(rig.sim.commands(), (QList<QByteArray>{"AT_INFO*", "AT_GSI**", "AT_GSI**", "AT_GCI**"}));
    QCOMPARE(rig.images.size(), first.size() + second.size());
    QCOMPARE(reportsOf(rig.reports), QStringList{report(true, DEV_ERR_NONE)});
}

QTEST_GUILESS_MAIN(TstDeviceLink)
#include "tst_devicelink.moc"
