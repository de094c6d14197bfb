// The device simulator seen from a real QSerialPort on its pty, as the program will see it.

#include "devicesimulator.h"
#include "protocolframes.h"
#include "simimage.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

bool openHost(QSerialPort& port, const QString& name)
{
    port.setPortName(name);
    port.setBaudRate(460800);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return port.open(QIODevice::ReadWrite);
}

void collect(QSerialPort& port, QByteArray& into)
{
    QObject::connect(&port, &QSerialPort::readyRead, &port, [&port, &into] { into += port.readAll(); });
}

} // namespace

class TstSimulator : public QObject
{
    Q_OBJECT

private slots:
    void frameEncoding();
    void infoReplyToCommandInOddChunks();
    void largeImageReachesSlowReader();
    void hostCloseAndReopenLeaveNoStaleBytes();
    void hangUpFailsHostPort();
};

void TstSimulator::frameEncoding()
{
    // Pure red and pure green in 5-6-5, low byte first.
    const SimImage image{5, 2, 1, 2, QByteArray("\x00\xf8\xe0\x07", 4)};
    const QByteArray header("\0\0\0\x02"
                            "\0\0\0\x01"
                            "\0\0\0\x02"
                            "\0\0\0\x05",
                            16);
    QCOMPARE(ProtocolFrames::storedImageFrame(image), "AT_SI\r\n" + header + image.pixels);
    QCOMPARE(ProtocolFrames::currentImageFrame(image), "AT_CI\r\n" + header.left(12) + image.pixels);
    QCOMPARE(ProtocolFrames::word(-2), QByteArray("\xff\xff\xff\xfe", 4));
    const QImage decoded = image.toQImage();
    QCOMPARE(decoded.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(decoded.pixel(1, 0), qRgb(0, 255, 0));

    // An odd width catches row padding; the round trip catches channel order and 5-6-5 packing.
    for (int bpp = 1; bpp <= 3; ++bpp) {
        const SimImage pattern = SimImage::pattern(3, 17, 5, bpp);
        QCOMPARE(pattern.pixels.size(), 17 * 5 * bpp);
        QCOMPARE(SimImage::fromImage(3, pattern.toQImage(), bpp).pixels, pattern.pixels);
        QVERIFY(SimImage::pattern(4, 17, 5, bpp).pixels != pattern.pixels);
    }
}

void TstSimulator::infoReplyToCommandInOddChunks()
{
    DeviceSimulator sim;
    QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
    const QStringList lines{QStringLiteral("KA-100"), QStringLiteral("Gr\u00f6\u00dfe 7"), QString(),
                            QString(29, QLatin1Char('x'))};
    sim.setInfoLines(lines);
    QSerialPort host;
    QVERIFY2(openHost(host, sim.portName()), qPrintable(host.errorString()));
    QByteArray got;
    collect(host, got);

    // Line noise first, then the command split where no framing could guess it.
    host.write("\r\nAT_IN");
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedBytes(), QByteArray("\r\nAT_IN"), 10000);
    QVERIFY(sim.commands().isEmpty());
    QVERIFY(got.isEmpty());
    host.write("FO*");

    const QByteArray expected("AT_INFO\r\nKA-100\r\nGr\xf6\xdf"
                              "e 7\r\n\r\n" +
                              QByteArray(29, 'x') + "\r\n");
    QCOMPARE(ProtocolFrames::infoReply(lines), expected);
    QTRY_COMPARE_WITH_TIMEOUT(got.size(), expected.size(), 10000);
    QCOMPARE(got, expected);
    QCOMPARE(sim.commands(), QList<QByteArray>{"AT_INFO*"});
}

void TstSimulator::largeImageReachesSlowReader()
{
    DeviceSimulator sim;
    QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
    const SimImage image = SimImage::pattern(7, 360, 240, 3);
    sim.setStoredImages({image});
    QSignalSpy drained(&sim, &DeviceSimulator::outputDrained);
    QSerialPort host;
    QVERIFY2(openHost(host, sim.portName()), qPrintable(host.errorString()));

    // The host takes small bites, so the pty buffer fills and the simulator has to wait for room.
    host.setReadBufferSize(4096);
    QByteArray got;
    QTimer reader;
    reader.setInterval(1);
    connect(&reader, &QTimer::timeout, &host, [&host, &got] { got += host.read(4096); });
    reader.start();
    host.write(ProtocolFrames::storedImagesCommand);

    const QByteArray expected = ProtocolFrames::storedImageFrame(image) + ProtocolFrames::noStoredImages();
    QCOMPARE(expected.size(), 7 + 16 + 259200 + 8);
    QTRY_COMPARE_WITH_TIMEOUT(got.size(), expected.size(), 60000);
    QVERIFY(got == expected);
    QTRY_COMPARE_WITH_TIMEOUT(drained.count(), 1, 10000);
}

void TstSimulator::hostCloseAndReopenLeaveNoStaleBytes()
{
    DeviceSimulator sim;
    QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
    QSignalSpy opened(&sim, &DeviceSimulator::peerOpened);
    QSignalSpy closed(&sim, &DeviceSimulator::peerClosed);
    QSignalSpy drained(&sim, &DeviceSimulator::outputDrained);
    // Nobody listens yet, so this must go nowhere.
    sim.sendRaw("early");
    QVERIFY(!sim.isPeerOpen());
    QSerialPort host;
    QVERIFY2(openHost(host, sim.portName()), qPrintable(host.errorString()));
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 10000);
    QVERIFY(sim.isPeerOpen());

    // Leave bytes unread in the pty when the host goes away.
    host.setReadBufferSize(16);
    sim.sendRaw(QByteArray(1000, 's'));
    QVERIFY(drained.wait(10000));
    host.close();
    QVERIFY(closed.wait(10000));
    QVERIFY(!sim.isPeerOpen());
    sim.sendRaw("dropped");

    host.setReadBufferSize(0);
    QVERIFY2(openHost(host, sim.portName()), qPrintable(host.errorString()));
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 2, 10000);
    QByteArray got;
    collect(host, got);
    sim.sendRaw("fresh");
    QTRY_COMPARE_WITH_TIMEOUT(got, QByteArray("fresh"), 10000);
    QCOMPARE(closed.count(), 1);
}

void TstSimulator::hangUpFailsHostPort()
{
    DeviceSimulator sim;
    QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
    QSignalSpy opened(&sim, &DeviceSimulator::peerOpened);
    QSerialPort host;
    QVERIFY2(openHost(host, sim.portName()), qPrintable(host.errorString()));
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 10000);

    // A hung-up pty reads end-of-file, which QSerialPort reports again on every event loop pass
    // until the port is closed, so close on the first error as the program must.
    QList<QSerialPort::SerialPortError> errors;
    connect(&host, &QSerialPort::errorOccurred, &host, [&host, &errors](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::NoError || !host.isOpen())
            return;
        errors.append(error);
        host.close();
    });
    sim.hangUp();
    QVERIFY(!sim.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!host.isOpen(), 10000);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0] == QSerialPort::ReadError || errors[0] == QSerialPort::ResourceError,
             qPrintable(QString::number(errors[0])));

    // The same simulator serves a new host on a new pty.
    QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
    QSerialPort second;
    QVERIFY2(openHost(second, sim.portName()), qPrintable(second.errorString()));
    QByteArray got;
    collect(second, got);
    second.write(ProtocolFrames::infoCommand);
    const QByteArray expected =
        ProtocolFrames::infoReply({QStringLiteral("KA-100"), QStringLiteral("SN 0001 FW 1.0"),
                                   QStringLiteral("1024 images"), QStringLiteral("ok")});
    QTRY_COMPARE_WITH_TIMEOUT(got, expected, 10000);
}

QTEST_GUILESS_MAIN(TstSimulator)
#include "tst_simulator.moc"
