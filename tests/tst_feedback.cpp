// What the window tells the user, against the simulator over a real port: why Connect failed,
// how far a transfer is, a cut-off picture dropped, export failures, and Save original.
#include "app/fontfamilies.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/debugcapture.h"
#include "support/dialoganswer.h"
#include "support/framebytes.h"
#include "support/shownwindow.h"

#include <QMenu>
#include <QMutex>
#include <QPushButton>
#include <QSerialPort>
#include <QTextDocument>
#include <QtTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int kWaitMs = 30000;
const QString kBridge = QStringLiteral("CP2102 USB to UART Bridge Controller");

QMutex offerMutex;
PortList offered;

void offer(const PortList& ports)
{
    QMutexLocker lock(&offerMutex);
    offered = ports;
}

// Acts as an unprivileged user for its lifetime when run as root, so permissions apply.
struct Unprivileged
{
    Unprivileged() { QVERIFY(geteuid() != 0 || seteuid(65534) == 0); }
    ~Unprivileged() { QVERIFY(getuid() != 0 || seteuid(0) == 0); }
};

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

// The tool tip as the user reads it.
QString tipOf(const QLabel* label)
{
    QTextDocument document;
    document.setHtml(label->toolTip());
    return document.toPlainText();
}

// Picks the entry of the context menu that opens next.
void chooseFromMenu(const QString& entry)
{
    // Runs in the menu's own event loop, once the menu is up.
    QTimer::singleShot(0, [entry] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text() == entry)
                menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
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
                                   << "Port is gone"
                                   << "/dev/ttyKA_missing";
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
            offer({{"/dev/ttyKA_missing", kBridge}});
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
            QVERIFY2(tipOf(info).contains(fault == "gone" ? "/dev/ttyKA_missing" : rig.sim.portName()),
                     qPrintable(tipOf(info)));

        // Connect again: the old reason goes at once.
        offer({});
        rig.connect();
        QCOMPARE(info->text(), QString());
        QCOMPARE(info->toolTip(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(info->text(), QString("No device found"), kWaitMs);
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
    }

    void exportAllReportsFailures_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("read-only folder") << true << "0 of 2 files were saved." << QStringList();
        QTest::newRow("one name taken by a folder")
            << false << "1 of 2 files were saved." << QStringList{"Image_1.jpg", "Image_2.jpg"};
    }

    void exportAllReportsFailures()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        QFETCH(QStringList, files);
        ShownWindow ui;
        for (int index : {1, 2})
            ui.deliver(index, SimImage::pattern(index, 360, 240, 3).toQImage());
        const QString folder = ui.workDir.filePath("out");
        QVERIFY(QDir().mkpath(readOnly ? folder : folder + "/Image_2.jpg"));
        QCOMPARE(::chmod(qPrintable(ui.workDir.path()), 0755), 0);
        std::unique_ptr<Unprivileged> user;
        if (readOnly) {
            QCOMPARE(::chmod(qPrintable(folder), 0555), 0);
            user = std::make_unique<Unprivileged>();
        }
        DialogAnswer answer(folder);
        QTest::mouseClick(ui.child<QPushButton>("buttonExportAll"), Qt::LeftButton);
        user.reset();
        QCOMPARE(answer.strays().size(), 1);
        const QString told = answer.strays().first();
        QVERIFY2(told.startsWith("QMessageBox \"Export failed\": " + message), qPrintable(told));
        QVERIFY2(told.contains(folder + "/Image_2.jpg: "), qPrintable(told));
        QCOMPARE(told.contains(folder + "/Image_1.jpg: "), readOnly);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), files);
        if (!readOnly)
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
