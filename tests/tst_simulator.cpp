// What the simulator itself must get right and the device tests cannot see: pictures in the wire's
// pixel order, and nothing left over from one host for the next, even one that reopens at once.
#include "devicesimulator.h"
#include "simimage.h"

#include <QScopeGuard>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
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

    // A host that closes the port and opens it again at once, as a reconnect does, starts afresh
    // however its steps fall against the simulator's own looks at the pty (on a thread of its own,
    // as in the soak): its request is answered, and of the transfer it left only what was already
    // in the pty reaches it, never the rest.
    void hostReopeningAtOnceStartsAfresh()
    {
        auto* sim = new DeviceSimulator;
        QList<SimImage> pictures;
        for (int index = 0; index < 20; ++index)
            pictures.append(SimImage::pattern(index, 200, 100, 3)); // 1.2 MB in all
        sim->setStoredImages(pictures);
        QVERIFY2(sim->openPty(), qPrintable(sim->errorString()));
        QThread simThread;
        sim->moveToThread(&simThread);
        connect(&simThread, &QThread::finished, sim, &QObject::deleteLater);
        simThread.start();
        const auto stop = qScopeGuard([&simThread] {
            simThread.quit();
            simThread.wait();
        });

        const int kPtyHolds = 64 * 1024;
        QSerialPort host(sim->portName());
        for (int round = 0; round < 400; ++round) {
            QVERIFY2(host.open(QIODevice::ReadWrite), qPrintable(host.errorString()));
            host.write("AT_INFO*AT_GSI**");
            QByteArray got;
            const bool answered = QTest::qWaitFor(
                [&host, &got] {
                    got += host.readAll();
                    return got.contains("ok\r\n");
                },
                kWaitMs);
            QVERIFY2(answered, qPrintable(QStringLiteral("round %1: no answer").arg(round)));
            const int before = int(got.indexOf("AT_INFO\r\n"));
            QVERIFY2(
                before >= 0 && before <= kPtyHolds,
                qPrintable(QStringLiteral("round %1: %2 bytes before the answer").arg(round).arg(before)));
            host.close();
        }
    }
};

QTEST_GUILESS_MAIN(TstSimulator)
#include "tst_simulator.moc"
