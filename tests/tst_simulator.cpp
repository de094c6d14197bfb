// What the simulator itself must get right and the device tests cannot see: a transfer larger than
// the pty holds, and nothing left over for the next host.
#include "devicesimulator.h"
#include "protocolframes.h"
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
    void largeImageReachesSlowReader()
    {
        DeviceSimulator sim;
        QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
        const SimImage image = SimImage::pattern(7, 360, 240, 3);
        sim.setStoredImages({image});
        // A pty ignores line settings: its name is all a host port needs.
        QSerialPort host(sim.portName());
        QVERIFY2(host.open(QIODevice::ReadWrite), qPrintable(host.errorString()));

        // The host takes small bites, so the pty fills and the simulator has to wait for room.
        host.setReadBufferSize(4096);
        QByteArray got;
        QTimer reader;
        reader.setInterval(1);
        connect(&reader, &QTimer::timeout, &host, [&host, &got] { got += host.read(4096); });
        reader.start();
        host.write(ProtocolFrames::storedImagesCommand);

        const QByteArray expected =
            ProtocolFrames::storedImageFrame(image) + ProtocolFrames::noStoredImages();
        QTRY_VERIFY_WITH_TIMEOUT(got.size() >= expected.size(), 60000);
        QVERIFY(got == expected);
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
