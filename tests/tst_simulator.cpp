// What the simulator itself must get right and the device tests cannot see: pictures in the wire's
// pixel order, and nothing left over from one host for the next. (A transfer larger than the pty holds is in
// the end-to-end test.)
#include "devicesimulator.h"
#include "simimage.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

const int kWaitMs = 10000;

class TstSimulator : public QObject
{
    Q_OBJECT

private slots:
    // Pictures go out in the wire's own pixel order: R,G,B bytes, 5-6-5 words low byte first.
    void picturesInWireFormat()
    {
        QImage image(3, 1, QImage::Format_RGB888);
        image.setPixelColor(0, 0, Qt::red);
        image.setPixelColor(1, 0, Qt::green);
        image.setPixelColor(2, 0, Qt::blue);
        QCOMPARE(SimImage::fromImage(0, image, 3).pixels, QByteArray::fromHex("ff000000ff000000ff"));
        QCOMPARE(SimImage::fromImage(0, image, 2).pixels, QByteArray::fromHex("00f8e0071f00"));
    }

    void hostCloseAndReopenLeaveNoStaleBytes()
    {
        DeviceSimulator sim;
        QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
        QSignalSpy opened(&sim, &DeviceSimulator::peerOpened);
        QSignalSpy closed(&sim, &DeviceSimulator::peerClosed);
        QSignalSpy drained(&sim, &DeviceSimulator::outputDrained);
        sim.sendRaw("before any host");
        QSerialPort host(sim.portName());
        QVERIFY2(host.open(QIODevice::ReadWrite), qPrintable(host.errorString()));
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, kWaitMs);

        // Leave bytes unread in the pty when the host goes away, and send more while it is away.
        host.setReadBufferSize(16);
        sim.sendRaw(QByteArray(1000, 's'));
        QVERIFY(drained.wait(kWaitMs));
        host.close();
        QVERIFY(closed.wait(kWaitMs));
        sim.sendRaw("while closed");

        host.setReadBufferSize(0);
        QVERIFY2(host.open(QIODevice::ReadWrite), qPrintable(host.errorString()));
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 2, kWaitMs);
        QByteArray got;
        connect(&host, &QSerialPort::readyRead, &host, [&host, &got] { got += host.readAll(); });
        sim.sendRaw("fresh");
        QTRY_COMPARE_WITH_TIMEOUT(got, QByteArray("fresh"), kWaitMs);
    }
};

QTEST_GUILESS_MAIN(TstSimulator)
#include "tst_simulator.moc"
