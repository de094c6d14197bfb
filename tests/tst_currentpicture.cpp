// The preview as pictures arrive, and the device's current picture, against the simulator over a
// real port: rows shown while a picture arrives, a chosen row kept, a dropped picture leaving
// nothing, exports never partial; F5, the preview's menu and the live view with its stops.
#include "device/portlist.h"
#include "devicesimulator.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/dialoganswer.h"
#include "support/menuchoice.h"
#include "support/shownwindow.h"
#include "ui/session/currentpicturecontrol.h"
#include "ui/session/linksession.h"
#include "ui/session/transferstatuslabel.h"
#include "ui/window/fontfamilies.h"

#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

const int kWaitMs = 30000;
const QByteArray kCurrentCommand = ProtocolFrames::currentImageCommand;

struct Rig
{
    explicit Rig(const QList<SimImage>& pictures = {})
    {
        sim.setStoredImages(pictures);
        simOpen = sim.openPty() && QTest::qWaitForWindowActive(&ui.window);
        const QString port = sim.portName();
        setPortListProvider([port] { return PortList{{port, "CP2102 USB to UART Bridge Controller"}}; });
    }
    ~Rig() { setPortListProvider(nullptr); }
    QLabel* label(const char* name) const { return ui.child(name); }
    QString line() const { return label("labelTransfer")->text(); }
    void clickConnect() { QTest::mouseClick(ui.child<QPushButton>("buttonConnect"), Qt::LeftButton); }
    bool connectAndWait()
    {
        clickConnect();
        // Connected, and the stored pictures are in: the current picture may be asked for.
        auto* session = ui.window.findChild<LinkSession*>();
        return QTest::qWaitFor([this] { return label("labelStatusText")->text() == "Connected"; }, kWaitMs) &&
               QTest::qWaitFor(
                   [this] { return sim.commands().contains(ProtocolFrames::storedImagesCommand); },
                   kWaitMs) &&
               QTest::qWaitFor([session] { return !session->currentPictureRefusal(); }, kWaitMs);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&ui.window, Qt::Key(key), modifiers);
    }
    int requests() const { return sim.commands().count(kCurrentCommand); }
    // The preview's rows from..to as the window shows them.
    QImage previewRows(int from, int to) const
    {
        return onScreen(label("labelPreview")).copy(0, from, 360, to - from);
    }

    DeviceSimulator sim;
    bool simOpen = false;
    ShownWindow ui;
};

QImage rows(const SimImage& picture, int from, int to)
{
    return rgb(picture.toQImage()).copy(0, from, 360, to - from);
}

} // namespace

class TestCurrentPicture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }

    void partialPictureFillsFromTheTop()
    {
        const SimImage first = SimImage::pattern(1, 360, 240, 3);
        const SimImage arriving = SimImage::pattern(2, 360, 240, 3);
        const int rowBytes = 360 * 3;
        Rig rig({first});
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        const QImage empty = rig.previewRows(0, 240);
        QVERIFY(rig.connectAndWait());
        QTRY_COMPARE_WITH_TIMEOUT(rig.ui.preview(), rgb(first.toQImage()), kWaitMs);
        const QImage exportOfFirst = rgb(rig.label("labelFrame")->grab(kExportArea).toImage());

        // The top 100 rows, the rest as the empty preview looks.
        rig.sim.sendRaw(ProtocolFrames::storedImageHead(arriving) + arriving.pixels.left(100 * rowBytes));
        QTRY_COMPARE_WITH_TIMEOUT(rig.previewRows(0, 100), rows(arriving, 0, 100), kWaitMs);
        QCOMPARE(rig.previewRows(100, 240), empty.copy(0, 100, 360, 140));
        QCOMPARE(rig.ui.caption(), QString("Image Number. 2"));

        // Exports and originals are of the last complete picture; the partial view stays.
        const QString jpeg = rig.ui.workDir.filePath("export.jpg");
        const QString png = rig.ui.workDir.filePath("original.png");
        {
            DialogAnswer answer(jpeg);
            QTest::mouseClick(rig.ui.child<QPushButton>("buttonExport"), Qt::LeftButton);
        }
        {
            DialogAnswer answer(png);
            rig.ui.window.slotSaveOriginal();
        }
        verifyExported(jpeg, exportOfFirst);
        QCOMPARE(rgb(QImage(png, "PNG")), rgb(first.toQImage()));
        QCOMPARE(rig.previewRows(0, 100), rows(arriving, 0, 100));

        // A chosen row stays while rows arrive; the complete picture then takes over at once.
        clickRow(rig.ui.list(), 0);
        rig.sim.sendRaw(arriving.pixels.mid(100 * rowBytes, 60 * rowBytes));
        QTRY_VERIFY_WITH_TIMEOUT(rig.line().contains("172,800 of 259,200"), kWaitMs);
        QCOMPARE(rig.ui.preview(), rgb(first.toQImage()));
        rig.sim.sendRaw(arriving.pixels.mid(160 * rowBytes));
        QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.ui.list()), (QStringList{"1", "2"}), kWaitMs);
        QCOMPARE(rig.ui.preview(), rgb(arriving.toQImage()));

        // A picture cut off is dropped with its partial view.
        const SimImage cut = SimImage::pattern(3, 360, 240, 1);
        rig.sim.sendRaw(ProtocolFrames::storedImageHead(cut) + cut.pixels.left(50 * 360));
        QTRY_COMPARE_WITH_TIMEOUT(rig.ui.caption(), QString("Image Number. 3"), kWaitMs);
        QVERIFY(rig.ui.preview() != rgb(arriving.toQImage()));
        QTRY_VERIFY_WITH_TIMEOUT(rig.line().startsWith("Picture 3 was incomplete"), kWaitMs);
        QCOMPARE(rig.ui.preview(), rgb(arriving.toQImage()));
        QCOMPARE(rig.ui.caption(), QString("Image Number. 2"));
    }

    void currentPictureIsPreviewedNotListed()
    {
        const SimImage current = SimImage::pattern(0, 48, 32, 2);
        Rig rig;
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setCurrentImage(current);
        rig.sim.setCurrentStep(5);
        rig.key(Qt::Key_F5);
        QCOMPARE(rig.line(), QString("Connect first to ask for the current picture"));

        QVERIFY(rig.connectAndWait());
        rig.key(Qt::Key_F5);
        QTRY_COMPARE_WITH_TIMEOUT(rig.ui.preview(), rgb(current.toQImage()), kWaitMs);
        QCOMPARE(rig.ui.caption(), QString("Current picture"));
        QCOMPARE(rig.line(), QString("Current picture received"));
        QCOMPARE(rig.ui.list()->count(), 0);
        QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_GSI**AT_GCI**"));

        chooseFromMenu("Current picture from the device");
        emit rig.label("labelFrame")->customContextMenuRequested(QPoint(200, 200));
        QTRY_COMPARE_WITH_TIMEOUT(rig.ui.preview(), rgb(current.shifted(5).toQImage()), kWaitMs);
        QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_GSI**AT_GCI**AT_GCI**"));

        QTest::mouseClick(rig.ui.child<QPushButton>("buttonCh"), Qt::LeftButton);
        QCOMPARE(rig.ui.caption(), QString::fromUtf8("当前图片"));
        QTest::mouseClick(rig.ui.child<QPushButton>("buttonEn"), Qt::LeftButton);

        // A stored picture takes the preview; the current picture can still be had from its menu.
        rig.sim.sendRaw(ProtocolFrames::storedImageFrame(SimImage::pattern(4, 36, 24, 1)));
        QTRY_COMPARE_WITH_TIMEOUT(rig.ui.caption(), QString("Image Number. 4"), kWaitMs);
        chooseFromMenu("Show the last current picture");
        emit rig.label("labelFrame")->customContextMenuRequested(QPoint(200, 200));
        QCOMPARE(rig.ui.preview(), rgb(current.shifted(5).toQImage()));
        QCOMPARE(rig.ui.caption(), QString("Current picture"));

        // Its original, under a name with the time it came.
        const QString png = rig.ui.workDir.filePath("current.png");
        DialogAnswer answer(png);
        rig.ui.window.slotSaveOriginal();
        QCOMPARE(answer.suggestions().size(), 1);
        QVERIFY2(QRegularExpression("^Current_picture_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d\\.png$")
                     .match(answer.suggestions().first())
                     .hasMatch(),
                 qPrintable(answer.suggestions().first()));
        QCOMPARE(rgb(QImage(png, "PNG")), rgb(current.shifted(5).toQImage()));
    }

    void noRequestWhileStoredPicturesArrive()
    {
        Rig rig({SimImage::pattern(3, 360, 240, 1)});
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setCurrentImage(SimImage::pattern(0, 36, 24, 3));
        rig.sim.setPaced(true);
        // Right after the handshake the stored pictures are asked for, though none has begun.
        rig.clickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(rig.label("labelStatusText")->text(), QString("Connected"), kWaitMs);
        for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
            rig.key(Qt::Key_F5, modifiers);
            QCOMPARE(rig.line(),
                     QString("Stored pictures are arriving; ask for the current picture once they are in"));
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig.line(), QString("Transfer finished, pictures received: 1"), kWaitMs);
        rig.key(Qt::Key_F5);
        QTRY_COMPARE_WITH_TIMEOUT(rig.ui.caption(), QString("Current picture"), kWaitMs);
        QCOMPARE(rig.sim.receivedBytes(), QByteArray("AT_INFO*AT_GSI**AT_GCI**"));
    }

    // A picture cut off in its header is dropped before it started: the request is over, and the
    // next one may go at once.
    void droppedBeforeItStartedEndsTheRequest()
    {
        TransferStatusLabel line;
        CurrentPictureControl control(&line);
        QSignalSpy asked(&control, &CurrentPictureControl::signalRequest);
        control.request();
        QVERIFY(control.isPending());
        control.pictureDropped(0, 0);
        QVERIFY(!control.isPending());
        control.request();
        QCOMPARE(asked.count(), 2);
        control.frameStarted(true);
        control.pictureDropped(100, 3600);
        QVERIFY(!control.isPending());
    }

    void liveViewStops_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("line");
        QTest::newRow("toggled off") << "toggle"
                                     << "Live view stopped";
        QTest::newRow("disconnect") << "disconnect"
                                    << "Live view stopped";
        QTest::newRow("no answer") << "silent"
                                   << "The device sent no current picture";
        QTest::newRow("bytes stop")
            << "cut"
            << "The current picture was incomplete and was dropped (100 of 3,600 bytes)";
        QTest::newRow("stored transfer") << "stored" << QString();
    }

    void liveViewStops()
    {
        QFETCH(QString, cause);
        QFETCH(QString, line);
        const SimImage current = SimImage::pattern(0, 40, 30, 3);
        Rig rig;
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setCurrentImage(current);
        rig.sim.setCurrentStep(4);
        QVERIFY(rig.connectAndWait());
        rig.key(Qt::Key_F5, Qt::ShiftModifier);
        // Each picture asks for the next, and the picture moves.
        QTRY_VERIFY_WITH_TIMEOUT(rig.requests() >= 3, kWaitMs);
        const QImage seen = rig.ui.preview();
        QTRY_VERIFY_WITH_TIMEOUT(rig.ui.preview() != seen, kWaitMs);
        QVERIFY2(QRegularExpression("^Live view: [\\d.]+ pictures per second$").match(rig.line()).hasMatch(),
                 qPrintable(rig.line()));
        QCOMPARE(rig.ui.list()->count(), 0);

        if (cause == "toggle")
            rig.key(Qt::Key_F5, Qt::ShiftModifier);
        if (cause == "disconnect")
            rig.clickConnect();
        if (cause == "silent")
            rig.sim.setCurrentImage(std::nullopt);
        if (cause == "cut")
            rig.sim.setCutShort(100);
        if (cause == "stored")
            rig.sim.sendRaw(ProtocolFrames::storedImageFrame(SimImage::pattern(9, 40, 30, 3)));
        if (line.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.ui.list()), QStringList("9"), kWaitMs);
        else
            QTRY_COMPARE_WITH_TIMEOUT(rig.line(), line, kWaitMs);

        // Once the picture on its way is in, nothing asks for another.
        auto* control = rig.ui.window.findChild<CurrentPictureControl*>();
        QVERIFY(control);
        QSignalSpy asked(control, &CurrentPictureControl::signalRequest);
        QTRY_VERIFY_WITH_TIMEOUT(!control->isPending(), kWaitMs);
        QVERIFY(!control->isLive());
        QCOMPARE(asked.count(), 0);
    }
};

QTEST_MAIN(TestCurrentPicture)
#include "tst_currentpicture.moc"
