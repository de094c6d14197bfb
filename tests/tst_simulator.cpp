// What the simulator itself must get right and the device tests cannot see: nothing left over
// from one host for the next. (A transfer larger than the pty holds is in the end-to-end test.)
#include "devicesimulator.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

const int kWaitMs = 10000;

class TstSimulator : public QObject
{
    Q_OBJECT

private slots:
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
