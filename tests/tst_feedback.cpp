// What the window tells the user, against the simulator over a real port: why Connect failed,
// how far a transfer is, a cut-off picture dropped, export failures, and Save original.
#include "device/portlist.h"
#include "devicesimulator.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/debugcapture.h"
#include "support/dialoganswer.h"
#include "support/framebytes.h"
#include "support/menuchoice.h"
#include "support/plaintext.h"
#include "support/shownwindow.h"
#include "support/unprivileged.h"
#include "ui/window/fontfamilies.h"

#include <QMenu>
#include <QMutex>
#include <QPushButton>
#include <QSerialPort>
#include <QtTest>
#include <memory>
#include <sys/stat.h>

namespace {

const int kWaitMs = 30000;
const QString kBridge = QStringLiteral("CP2102 USB to UART Bridge Controller");
// Names from the system are shown as they are, markup included.
const QString kMissingPort = QStringLiteral("/dev/ttyKA_<b>missing</b>");

QMutex offerMutex;
PortList offered;

void offer(const PortList& ports)
{
    QMutexLocker lock(&offerMutex);
    offered = ports;
}

struct Rig
{
    explicit Rig(const QList<SimImage>& pictures = {})
    {
        sim.setStoredImages(pictures);
        simOpen = sim.openPty();
        offer({{sim.portName(), kBridge}});
    }
    QLabel* label(const char* name) const { return ui.child(name); }
    void connect() { QTest::mouseClick(ui.child<QPushButton>("buttonConnect"), Qt::LeftButton); }

    DeviceSimulator sim;
    bool simOpen = false;
    ShownWindow ui;
};

// A label shows its text literally, markup and all.
bool shownAsWritten(const QLabel* label)
{
    return label->textFormat() == Qt::PlainText ||
           (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text()));
}

// The tool tip as the user reads it.
QString tipOf(const QLabel* label)
{
    return plainText(label->toolTip());
}

} // namespace

class TestFeedback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        loadFontFamilies();
        setPortListProvider([] {
            QMutexLocker lock(&offerMutex);
            return offered;
        });
    }

    void connectFailureIsExplained_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("hint"); // part of the tool tip
        QTest::newRow("no bridge") << "no bridge"
                                   << "No device found"
                                   << "/dev/ttyS7 (Standard port)";
        QTest::newRow("port gone") << "gone"
                                   << "Port is gone" << kMissingPort;
        QTest::newRow("port unreadable") << "chmod"
                                         << "Port access denied"
                                         << "\"dialout\" group";
        QTest::newRow("port held") << "held"
                                   << "Port in use"
                                   << "another program";
        QTest::newRow("silent device") << "silent"
                                       << "No answer"
                                       << "600 ms";
        QTest::newRow("cable pulled") << "hang up"
                                      << "Connection lost"
                                      << "was lost";
    }

    void connectFailureIsExplained()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        QFETCH(QString, hint);
        Rig rig;
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        QSerialPort holder(rig.sim.portName());
        std::unique_ptr<Unprivileged> user;
        if (fault == "no bridge")
            offer({{"/dev/ttyS7", "Standard port"}});
        if (fault == "gone")
            offer({{kMissingPort, kBridge}});
        if (fault == "chmod") {
            QCOMPARE(::chmod(qPrintable(rig.sim.portName()), 0), 0);
            user = std::make_unique<Unprivileged>();
        }
        if (fault == "held")
            QVERIFY(holder.open(QIODevice::ReadWrite));
        rig.sim.setSilent(fault == "silent");
        if (fault == "hang up") {
            rig.connect();
            QTRY_COMPARE_WITH_TIMEOUT(rig.label("labelStatusText")->text(), QString("Connected"), kWaitMs);
            rig.sim.hangUp();
        } else {
            rig.connect();
        }
        QLabel* info = rig.label("labelDeviceInfo");
        QTRY_COMPARE_WITH_TIMEOUT(info->text(), reason, kWaitMs);
        user.reset();
        QCOMPARE(rig.label("labelStatusText")->text(), QString("Disonnected"));
        QVERIFY2(tipOf(info).contains(hint), qPrintable(tipOf(info)));
        if (fault != "no bridge")
            QVERIFY2(tipOf(info).contains(fault == "gone" ? kMissingPort : rig.sim.portName()),
                     qPrintable(tipOf(info)));

        // Connect again: the old reason goes at once.
        offer({});
        rig.connect();
        QCOMPARE(info->text(), QString());
        QCOMPARE(info->toolTip(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(info->text(), QString("No device found"), kWaitMs);
    }

    void deviceLineShowsAsWritten()
    {
        const QString line = "<h1><u>RED</u></h1>";
        Rig rig;
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setInfoLines({"KA-100", line, "1024 images", "ok"});
        rig.connect();
        QLabel* info = rig.label("labelDeviceInfo");
        QTRY_COMPARE_WITH_TIMEOUT(info->text(), line, kWaitMs);
        QVERIFY(shownAsWritten(info));
        QVERIFY(shownAsWritten(rig.label("labelTransfer")));
    }

    void newTextsSwitchLanguageAtOnce()
    {
        offer({});
        ShownWindow ui;
        QLabel* info = ui.child("labelDeviceInfo");
        QLabel* progress = ui.child("labelTransfer");
        QTest::mouseClick(ui.child<QPushButton>("buttonConnect"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(info->text(), QString("No device found"), kWaitMs);
        QVERIFY(QMetaObject::invokeMethod(progress, "pictureArrived"));
        QTest::mouseClick(ui.child<QPushButton>("buttonCh"), Qt::LeftButton);
        QCOMPARE(info->text(), QString::fromUtf8("未找到设备"));
        QVERIFY2(tipOf(info).contains(QString::fromUtf8("已发现的端口：无")), qPrintable(tipOf(info)));
        QCOMPARE(progress->text(), QString::fromUtf8("已接收图片：1"));
        QTest::mouseClick(ui.child<QPushButton>("buttonEn"), Qt::LeftButton);
        QCOMPARE(info->text(), QString("No device found"));
        QCOMPARE(progress->text(), QString("Pictures received: 1"));
    }

    void pacedTransferShowsProgress()
    {
        Rig rig({SimImage::pattern(3, 360, 240, 1), SimImage::pattern(7, 360, 240, 2)});
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setPaced(true);
        rig.connect();
        QLabel* progress = rig.label("labelTransfer");
        // Part of the second picture has arrived, the first one is counted, and it keeps rising.
        const QRegularExpression partial("^Receiving picture 7: ([\\d,]+) of 172,800 bytes \\((\\d+)%\\), "
                                         "pictures received: 1$");
        QTRY_VERIFY_WITH_TIMEOUT(partial.match(progress->text()).hasMatch(), kWaitMs);
        const QString first = progress->text();
        QTRY_VERIFY_WITH_TIMEOUT(progress->text() != first && partial.match(progress->text()).hasMatch(),
                                 kWaitMs);
        QCOMPARE(rig.ui.list()->count(), 1);
        const auto bytes = [&](const QString& text) {
            return partial.match(text).captured(1).remove(',').toInt();
        };
        QVERIFY2(bytes(progress->text()) > bytes(first), qPrintable(first + " then " + progress->text()));
        // Past half way, the percent is that of the bytes beside it.
        QTRY_VERIFY_WITH_TIMEOUT(bytes(progress->text()) > 86400, kWaitMs);
        QCOMPARE(partial.match(progress->text()).captured(2).toInt(), bytes(progress->text()) * 100 / 172800);
        QTRY_COMPARE_WITH_TIMEOUT(progress->text(), QString("Transfer finished, pictures received: 2"),
                                  kWaitMs);
        QCOMPARE(rig.ui.list()->count(), 2);
    }

    void cutFrameIsDroppedNotMixed()
    {
        const SimImage cut = SimImage::pattern(5, 360, 240, 3);
        const SimImage valid = SimImage::pattern(6, 120, 80, 2);
        Rig rig({cut});
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setCutShort(1000);
        DebugCapture debug;
        rig.connect();
        QTRY_COMPARE_WITH_TIMEOUT(
            rig.label("labelTransfer")->text(),
            QString("Picture 5 was incomplete and was dropped (1,000 of 259,200 bytes); "
                    "pictures received: 0"),
            kWaitMs);
        QVERIFY2(debug.contains("image dropped: 5 received 1000 of 259200"),
                 qPrintable(debug.lines().join('|')));

        rig.sim.sendRaw(ProtocolFrames::storedImageFrame(valid));
        QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.ui.list()), QStringList("6"), kWaitMs);
        QCOMPARE(rig.ui.preview(), rgb(valid.toQImage()));
        QTRY_COMPARE_WITH_TIMEOUT(rig.label("labelTransfer")->text(),
                                  QString("Transfer finished, pictures received: 1, incomplete: 1"), kWaitMs);
    }

    // A long picture that pauses briefly is not taken for a cut one: only quiet time counts.
    void pauseInLongFrameIsNoDrop()
    {
        const SimImage slow = SimImage::pattern(5, 360, 240, 2);
        Rig rig({slow});
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setPaced(true); // 120,000 bytes take 2.6 s
        rig.sim.setCutShort(120000);
        rig.connect();
        QTRY_VERIFY_WITH_TIMEOUT(rig.label("labelTransfer")->text().contains("120,000 of 172,800"), kWaitMs);
        QTimer::singleShot(300, &rig.sim, [&rig, &slow] { rig.sim.sendRaw(slow.pixels.mid(120000)); });
        QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.ui.list()), QStringList("5"), kWaitMs);
        QCOMPARE(rig.ui.preview(), rgb(slow.toQImage()));
    }

    void exportAllReportsFailures_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("named"); // in the report, with a reason
        QTest::addColumn<QStringList>("files");
        const QStringList both{"Image_1.jpg", "Image_2.jpg"};
        // The folder takes nothing: the first failure ends the run.
        QTest::newRow("read-only folder")
            << "read-only" << 2 << "0 of 2 files were saved." << QStringList("Image_1.jpg") << QStringList();
        QTest::newRow("one name taken by a folder")
            << "folder" << 2 << "1 of 2 files were saved." << QStringList("Image_2.jpg") << both;
        // Written in full, but it may not replace another user's file there.
        QTest::newRow("another user's file in a sticky folder")
            << "sticky" << 2 << "1 of 2 files were saved." << QStringList("Image_2.jpg") << both;
        QStringList twelve;
        for (int index = 1; index <= 12; ++index)
            twelve << QString("Image_%1.jpg").arg(index);
        const QStringList firstTen = twelve.mid(0, 10);
        twelve.sort();
        QTest::newRow("twelve names taken by folders")
            << "folder" << 12 << "0 of 12 files were saved." << firstTen << twelve;
    }

    void exportAllReportsFailures()
    {
        QFETCH(QString, blocker);
        QFETCH(int, pictures);
        QFETCH(QString, message);
        QFETCH(QStringList, named);
        QFETCH(QStringList, files);
        const bool readOnly = blocker == "read-only";
        if (blocker == "sticky" && geteuid() != 0)
            QSKIP("needs another user's file");
        ShownWindow ui;
        QStringList order; // as the pictures arrive, and so as they are written
        for (int index = 1; index <= pictures; ++index) {
            ui.deliver(index, SimImage::pattern(index, 360, 240, 3).toQImage());
            order << QString("Image_%1.jpg").arg(index);
        }
        const QString folder = ui.workDir.filePath("out");
        QVERIFY(QDir().mkpath(folder));
        if (blocker == "folder")
            for (const QString& name : order.mid(pictures == 2 ? 1 : 0))
                QVERIFY(QDir(folder).mkdir(name));
        QCOMPARE(::chmod(qPrintable(ui.workDir.path()), 0755), 0);
        QFile theirs(folder + "/Image_2.jpg");
        if (blocker == "sticky")
            QVERIFY(theirs.open(QIODevice::WriteOnly) && ::chmod(qPrintable(theirs.fileName()), 0666) == 0);
        QCOMPARE(::chmod(qPrintable(folder), readOnly ? 0555 : 01777), 0);
        std::unique_ptr<Unprivileged> user;
        if (blocker != "folder")
            user = std::make_unique<Unprivileged>();
        DialogAnswer answer(folder);
        answer.reply("Replace"); // names taken before count as there already
        QTest::mouseClick(ui.child<QPushButton>("buttonExportAll"), Qt::LeftButton);
        user.reset();
        QCOMPARE(answer.strays().size(), 1);
        const QString told = answer.strays().first();
        QVERIFY2(told.startsWith("QMessageBox \"Export failed\": " + message), qPrintable(told));
        for (const QString& name : order)
            QCOMPARE(told.contains(folder + "/" + name + ": "), named.contains(name));
        QCOMPARE(told.contains("and 2 more"), pictures == 12);
        QCOMPARE(told.contains("The folder cannot be written, so the export stopped; files not tried: 1."),
                 readOnly);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), files);
        if (blocker != "read-only" && pictures == 2)
            verifyExported(folder + "/Image_1.jpg", ui.exportView(0));
    }

    void saveOriginalIsPixelExact_data()
    {
        QTest::addColumn<int>("bpp");
        QTest::newRow("grey") << 1;
        QTest::newRow("5-6-5") << 2;
        QTest::newRow("RGB") << 3;
    }

    void saveOriginalIsPixelExact()
    {
        QFETCH(int, bpp);
        const SimImage picture = SimImage::pattern(4, 360, 240, bpp);
        Rig rig({SimImage::pattern(9, 30, 20, 3), picture});
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.connect();
        QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.ui.list()), (QStringList{"9", "4"}), kWaitMs);
        clickRow(rig.ui.list(), 0);

        // The menu of the second row saves the second picture, as the preview then shows it.
        const QString path = rig.ui.workDir.filePath("original.png");
        DialogAnswer answer(path);
        chooseFromMenu(QString::fromUtf8("Save original…"));
        emit rig.ui.list()->customContextMenuRequested(
            rig.ui.list()->visualItemRect(rig.ui.list()->item(1)).center());
        QCOMPARE(answer.dialogs(), 1);
        QCOMPARE(answer.strays(), QStringList());
        const QImage saved(path, "PNG");
        QCOMPARE(rgb(saved), rig.ui.preview());
        QCOMPARE(rgb(saved), rgb(picture.toQImage()));
        if (bpp == 1)
            QCOMPARE(describe(saved),
                     describe(picture.toQImage().convertToFormat(QImage::Format_Grayscale8)));
    }
};

QTEST_MAIN(TestFeedback)
#include "tst_feedback.moc"
