// Language selection (the setting in "kalocfg.ini" and every text, picture and font that follows
// it) and the connection display (what a click asks of the worker, what each report shows).
#include "app/fontfamilies.h"
#include "device/kadeviceinfo.h"
#include "device/portlist.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <utility>

namespace {

const int kWaitMs = 20000;
const char* const kSettingsFile = "kalocfg.ini";
const KaDeviceInfo kInfo{"A", "  B\t ", "C", "D"};

QWidget* child(const QWidget& window, const char* name)
{
    return window.findChild<QWidget*>(name);
}

// QLabel and QAbstractButton both carry their text in this property.
QString textOf(const QWidget& window, const char* name)
{
    const QWidget* widget = child(window, name);
    return widget ? widget->property("text").toString() : QString("<no %1>").arg(name);
}

void click(const QWidget& window, const char* name)
{
    QTest::mouseClick(child(window, name), Qt::LeftButton);
}

QImage comparable(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage picture(const QString& name)
{
    return comparable(QImage(":/image/" + name));
}

QImage pictureOf(const QWidget& window, const char* label)
{
    const auto* widget = qobject_cast<QLabel*>(child(window, label));
    return widget ? comparable(widget->pixmap(Qt::ReturnByValue).toImage()) : QImage();
}

// The connect button, the status, the device line and which status picture shows.
QStringList display(const QWidget& window)
{
    const QImage icon = pictureOf(window, "labelStatusIcon");
    const QString iconName = icon == picture("connected")      ? "connected"
                             : icon == picture("disconnected") ? "disconnected"
                                                               : "another picture";
    return {textOf(window, "buttonConnect"), textOf(window, "labelStatusText"),
            textOf(window, "labelDeviceInfo"), iconName};
}

// "Disonnected" is the program's text as it stands.
const QStringList kDisconnected{"Connect", "Disonnected", "", "disconnected"};

} // namespace

class TestLanguageStatus : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScopedWorkDir> workDir;
    QTimer messageBoxWatch;
    int messageBoxes = 0;

    // The window tells about failures by its display only. A modal box would block its slot for
    // good, so every box is closed and counted, and the test fails instead of hanging.
    void closeMessageBoxes()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                ++messageBoxes;
                box->done(0);
            }
        }
    }

private slots:
    void initTestCase()
    {
        loadFontFamilies();
        // Otherwise the font checks could not tell the languages apart.
        QVERIFY(!fontFamilyEn.isEmpty() && !fontFamilyCh.isEmpty() && fontFamilyEn != fontFamilyCh);
        // Connect requests reach the real worker; it must never find a port of this machine.
        setPortListProvider([] { return PortList(); });
        connect(&messageBoxWatch, &QTimer::timeout, this, [this] { closeMessageBoxes(); });
        messageBoxWatch.start(50);
    }
    void cleanupTestCase() { setPortListProvider({}); }
    void init() { workDir = std::make_unique<ScopedWorkDir>(); }
    void cleanup()
    {
        workDir.reset();
        closeMessageBoxes();
        QCOMPARE(std::exchange(messageBoxes, 0), 0);
    }

    void textsAndFontsFollowLanguage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("connect") << "buttonConnect" << false << "Connect" << QString::fromUtf8("连接");
        QTest::newRow("disconnect") << "buttonConnect" << true << "Disconnect" << QString::fromUtf8("断开");
        QTest::newRow("export") << "buttonExport" << false << "Export" << QString::fromUtf8("导出");
        QTest::newRow("export all") << "buttonExportAll" << false << "Export All"
                                    << QString::fromUtf8("导出全部");
        QTest::newRow("disconnected")
            << "labelStatusText" << false << "Disonnected" << QString::fromUtf8("未连接");
        QTest::newRow("connected") << "labelStatusText" << true << "Connected" << QString::fromUtf8("已连接");
    }
    void textsAndFontsFollowLanguage()
    {
        QFETCH(QString, name);
        QFETCH(bool, connected);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        MainWindow window;
        if (connected)
            window.slotDeviceConnect(true, 0, kInfo);
        QWidget* widget = child(window, qPrintable(name));
        QVERIFY(widget);
        auto shown = [widget] {
            return QStringList{widget->property("text").toString(), widget->font().family()};
        };

        // The switch shows at once, without waiting for a report.
        QCOMPARE(shown(), QStringList({english, fontFamilyEn}));
        click(window, "buttonCh");
        QCOMPARE(shown(), QStringList({chinese, fontFamilyCh}));
        click(window, "buttonEn");
        QCOMPARE(shown(), QStringList({english, fontFamilyEn}));
    }

    void languageShowsAndIsStored_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("first start") << QStringList() << QString() << false;
        // Through the other language first, so anything left over from it would show.
        QTest::newRow("Chinese") << QStringList({"buttonEn", "buttonCh"}) << "chinesesimplified" << true;
        QTest::newRow("English") << QStringList({"buttonCh", "buttonEn"}) << "en" << false;
    }
    void languageShowsAndIsStored()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, stored);
        QFETCH(bool, chinese);
        MainWindow window;
        for (const QString& button : clicks)
            click(window, qPrintable(button));
        // Each refresh reads the setting again; reading never creates the file.
        window.slotDeviceConnect(true, 0, kInfo);

        if (stored.isEmpty()) {
            QCOMPARE(QDir(workDir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList());
        } else {
            QFile file(workDir->filePath(kSettingsFile));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts),
                     QStringList({"[General]", "language=" + stored}));
        }

        const QString language = chinese ? "_ch" : "_en";
        QWidget* title = child(window, "widgetTitle");
        QCOMPARE(title->geometry(), chinese ? QRect(40, 30, 390, 26) : QRect(40, 30, 393, 27));
        QCOMPARE(comparable(title->palette().window().texture().toImage()), picture("title" + language));
        QCOMPARE(pictureOf(window, "labelLogo"), picture("ornlogo" + language));
        QCOMPARE(child(window, "labelUnderline")->geometry(),
                 chinese ? QRect(718, 113, 38, 3) : QRect(780, 113, 50, 3));
        // The active language's button is bold.
        QCOMPARE(child(window, "buttonCh")->font().weight(), int(chinese ? QFont::Bold : QFont::Normal));
        QCOMPARE(child(window, "buttonEn")->font().weight(), int(chinese ? QFont::Normal : QFont::Bold));
    }

    void onlyTheExactValueMeansChinese_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("exact") << "chinesesimplified" << true;
        QTest::newRow("other case") << "ChineseSimplified" << false;
        QTest::newRow("added blank") << "chinesesimplified " << false;
    }
    void onlyTheExactValueMeansChinese()
    {
        QFETCH(QString, value);
        QFETCH(bool, chinese);
        // Another program changes the file; the next connection report repaints in that language.
        MainWindow window;
        QSettings(kSettingsFile, QSettings::IniFormat).setValue("language", value);
        window.slotDeviceConnect(false, 2, KaDeviceInfo());
        QCOMPARE(textOf(window, "buttonConnect"), chinese ? QString::fromUtf8("连接") : QString("Connect"));
        // A new start reads it the same way.
        MainWindow restarted;
        QCOMPARE(textOf(restarted, "buttonExport"), chinese ? QString::fromUtf8("导出") : QString("Export"));
    }

    void displayFollowsReportsNotClicks_data()
    {
        QTest::addColumn<bool>("connectedFirst");
        QTest::addColumn<int>("failure"); // the error of a later failed report; -1 for none
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("start") << false << -1 << kDisconnected;
        // The device's second line as it came, blanks and all.
        QTest::newRow("connected") << true << -1
                                   << QStringList({"Disconnect", "Connected", "  B\t ", "connected"});
        QTest::newRow("then disconnected") << true << 0 << kDisconnected;
        QTest::newRow("then no port") << true << 1 << kDisconnected;
        QTest::newRow("then no answer") << true << 2 << kDisconnected;
    }
    void displayFollowsReportsNotClicks()
    {
        QFETCH(bool, connectedFirst);
        QFETCH(int, failure);
        QFETCH(QStringList, shown);
        MainWindow window;
        if (connectedFirst)
            window.slotDeviceConnect(true, 0, kInfo);
        window.slotDeviceGotImage(3, new QImage(8, 8, QImage::Format_RGB888));
        QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
        if (failure >= 0)
            window.slotDeviceConnect(false, failure, kInfo);
        QCOMPARE(display(window), shown);
        // A failed report keeps the rows.
        QCOMPARE(qobject_cast<QListWidget*>(child(window, "listWidget"))->count(), 1);

        // The click asks the worker by the state; only the worker's report changes the display.
        const bool connected = connectedFirst && failure < 0;
        QSignalSpy connects(&window, &MainWindow::signalConnectDevice);
        QSignalSpy disconnects(&window, &MainWindow::signalDisconnectDevice);
        click(window, "buttonConnect");
        QCOMPARE(connects.count(), connected ? 0 : 1);
        QCOMPARE(disconnects.count(), connected ? 1 : 0);
        QCOMPARE(display(window), shown);
    }

    void eachConnectedReportClearsListAndRequestsImagesLater()
    {
        MainWindow window;
        auto* list = qobject_cast<QListWidget*>(child(window, "listWidget"));
        QVERIFY(list);
        QSignalSpy requests(&window, &MainWindow::signalGetStoredImage);
        // The second report comes before the first request went out; neither replaces the other.
        for (int index : {1, 2}) {
            window.slotDeviceGotImage(index, new QImage(8, 8, QImage::Format_RGB888));
            QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
            QCOMPARE(list->count(), 1);
            window.slotDeviceConnect(true, 0, kInfo);
            QCOMPARE(list->count(), 0);
        }
        // Not from inside the report's slot, but later from the event loop.
        QCOMPARE(requests.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 2, kWaitMs);

        // Timers on one thread fire in the order they expire: once this later one has, none is left.
        QTimer sentinel;
        sentinel.setSingleShot(true);
        QSignalSpy fired(&sentinel, &QTimer::timeout);
        sentinel.start(500);
        QVERIFY(fired.wait(kWaitMs));
        QCOMPARE(requests.count(), 2);
    }
};

QTEST_MAIN(TestLanguageStatus)
#include "tst_languagestatus.moc"
