// The window on its own: language selection (the setting in "kalocfg.ini" and the texts, pictures
// and fonts that follow it), the connection display, the worker thread and the window's chrome.
#include "device/portlist.h"
#include "support/plaintext.h"
#include "support/scopedworkdir.h"
#include "support/unprivileged.h"
#include "ui/list/picturerows.h"
#include "ui/session/linksession.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/mainwindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSettings>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>
#include <sys/stat.h>

namespace {

const int kWaitMs = 20000;
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

QImage premultiplied(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage picture(const QString& name)
{
    return premultiplied(QImage(":/image/" + name));
}

QImage pictureOf(const QWidget& window, const char* label)
{
    const auto* widget = qobject_cast<QLabel*>(child(window, label));
    return widget ? premultiplied(widget->pixmap(Qt::ReturnByValue).toImage()) : QImage();
}

// The connect button, the status, the device line and which status picture shows.
QStringList display(const QWidget& window)
{
    const QImage icon = pictureOf(window, "labelStatusIcon");
    return {textOf(window, "buttonConnect"), textOf(window, "labelStatusText"),
            textOf(window, "labelDeviceInfo"),
            icon == picture("connected")      ? "connected"
            : icon == picture("disconnected") ? "disconnected"
                                              : "another picture"};
}

// "Disonnected" is the program's text as it stands.
const QStringList kDisconnected{"Connect", "Disonnected", "", "disconnected"};

// The thread the worker looks for ports on; no test ever reaches the machine's real ports.
std::atomic<QThread*> portDiscoveryThread{nullptr};

PortList noPorts()
{
    portDiscoveryThread = QThread::currentThread();
    return PortList();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    ScopedWorkDir* workDir = nullptr;

private slots:
    void initTestCase()
    {
        loadFontFamilies();
        // Otherwise the font checks could not tell the languages apart.
        QVERIFY(!fontFamilyEn.isEmpty() && !fontFamilyCh.isEmpty() && fontFamilyEn != fontFamilyCh);
        setPortListProvider(noPorts);
    }
    void cleanupTestCase() { setPortListProvider({}); }
    void init() { workDir = new ScopedWorkDir; }
    void cleanup() { delete workDir; }

    void languageShowsAndIsStored_data()
    {
        QTest::addColumn<QString>("preset"); // written by someone else before the start
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("first start") << QString() << QStringList() << QString() << false;
        // Through the other language first, so anything left over from it would show.
        QTest::newRow("Chinese") << QString() << QStringList({"buttonEn", "buttonCh"}) << "chinesesimplified"
                                 << true;
        QTest::newRow("English") << QString() << QStringList({"buttonCh", "buttonEn"}) << "en" << false;
        QTest::newRow("stored Chinese")
            << "chinesesimplified" << QStringList() << "chinesesimplified" << true;
        QTest::newRow("only the exact value")
            << "ChineseSimplified" << QStringList() << "ChineseSimplified" << false;
    }
    void languageShowsAndIsStored()
    {
        QFETCH(QString, preset);
        QFETCH(QStringList, clicks);
        QFETCH(QString, stored);
        QFETCH(bool, chinese);
        if (!preset.isEmpty())
            QSettings("kalocfg.ini", QSettings::IniFormat).setValue("language", preset);
        MainWindow window;
        for (const QString& button : clicks)
            click(window, qPrintable(button));

        // Reading never creates the file.
        QFile file(workDir->filePath("kalocfg.ini"));
        QCOMPARE(file.exists(), !stored.isEmpty());
        if (file.open(QIODevice::ReadOnly))
            QCOMPARE(QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts),
                     QStringList({"[General]", "language=" + stored}));

        const QString language = chinese ? "_ch" : "_en";
        const QBrush title = child(window, "widgetTitle")->palette().window();
        QCOMPARE(premultiplied(title.texture().toImage()), picture("title" + language));
        QCOMPARE(pictureOf(window, "labelLogo"), picture("ornlogo" + language));
        QCOMPARE(textOf(window, "buttonExport"), chinese ? QString::fromUtf8("导出") : QString("Export"));
        QCOMPARE(textOf(window, "buttonExportAll"),
                 chinese ? QString::fromUtf8("导出全部") : QString("Export All"));
        // The active language's button is bold.
        QCOMPARE(child(window, "buttonCh")->font().weight(), int(chinese ? QFont::Bold : QFont::Normal));
        QCOMPARE(child(window, "buttonEn")->font().weight(), int(chinese ? QFont::Normal : QFont::Bold));
    }

    void languageThatCannotBeStoredHoldsForTheSession_data()
    {
        QTest::addColumn<bool>("readOnlyFolder"); // else a folder has the file's name
        QTest::newRow("folder not writable") << true;
        QTest::newRow("name taken by a folder") << false;
    }
    void languageThatCannotBeStoredHoldsForTheSession()
    {
        QFETCH(bool, readOnlyFolder);
        const QString settings = workDir->filePath("kalocfg.ini");
        if (readOnlyFolder)
            QCOMPARE(::chmod(qPrintable(workDir->path()), 0555), 0);
        else
            QVERIFY(QDir().mkdir(settings));
        MainWindow window;
        auto* line = qobject_cast<QLabel*>(child(window, "labelTransfer"));
        const auto choose = [&window](const char* button) {
            Unprivileged user;
            click(window, button);
        };
        // What the line says, whole, as its tip holds it.
        const auto said = [line] { return plainText(line->toolTip()); };

        choose("buttonCh");
        QCOMPARE(textOf(window, "buttonExport"), QString::fromUtf8("导出"));
        QCOMPARE(said(), QString::fromUtf8("语言设置无法保存到 %1，在程序退出前保持有效。").arg(settings));
        // A connection report reads the language again.
        window.findChild<LinkSession*>()->deviceConnected(false, 0, kInfo);
        QCOMPARE(display(window).first(), QString::fromUtf8("连接"));

        choose("buttonEn");
        QCOMPARE(textOf(window, "buttonExport"), QString("Export"));
        QCOMPARE(said(), "Language not saved in " + settings + "; it holds until you quit.");
        QVERIFY2(line->text().endsWith("kalocfg.ini; it holds until you quit."), qPrintable(line->text()));
        // Said once: the next failure leaves the line to the transfer.
        QVERIFY(QMetaObject::invokeMethod(line, "beginTransfer"));
        choose("buttonCh");
        QCOMPARE(textOf(window, "buttonExport"), QString::fromUtf8("导出"));
        QCOMPARE(line->text(), QString());
        QVERIFY(!QFileInfo(settings).isFile());
    }

    void displayFollowsReportsInBothLanguages_data()
    {
        QTest::addColumn<bool>("connectedFirst");
        QTest::addColumn<int>("failure"); // the error of a later failed report; -1 for none
        QTest::addColumn<QStringList>("english");
        QTest::addColumn<QStringList>("chinese");
        const QStringList chineseDisconnected{QString::fromUtf8("连接"), QString::fromUtf8("未连接"), "",
                                              "disconnected"};
        QTest::newRow("start") << false << -1 << kDisconnected << chineseDisconnected;
        // The device's second line as it came, blanks and all.
        QTest::newRow("connected") << true << -1
                                   << QStringList({"Disconnect", "Connected", "  B\t ", "connected"})
                                   << QStringList({QString::fromUtf8("断开"), QString::fromUtf8("已连接"),
                                                   "  B\t ", "connected"});
        QTest::newRow("then disconnected") << true << 0 << kDisconnected << chineseDisconnected;
        QTest::newRow("then no answer") << true << 2 << kDisconnected << chineseDisconnected;
    }
    void displayFollowsReportsInBothLanguages()
    {
        QFETCH(bool, connectedFirst);
        QFETCH(int, failure);
        QFETCH(QStringList, english);
        QFETCH(QStringList, chinese);
        MainWindow window;
        if (connectedFirst) {
            window.findChild<LinkSession*>()->linkFailed(
                KaLinkFailure()); // of an earlier attempt, over once connected
            window.findChild<LinkSession*>()->deviceConnected(true, 0, kInfo);
        }
        if (failure >= 0)
            window.findChild<LinkSession*>()->deviceConnected(false, failure, kInfo);

        // The switch shows at once, without waiting for a report, in the language's own font.
        for (const QString language : {"En", "Ch", "En"}) {
            const bool isChinese = language == "Ch";
            click(window, qPrintable("button" + language));
            QCOMPARE(display(window), isChinese ? chinese : english);
            for (const char* name : {"buttonConnect", "labelStatusText", "buttonExport", "buttonExportAll"})
                QCOMPARE(child(window, name)->font().family(), isChinese ? fontFamilyCh : fontFamilyEn);
        }

        // The click asks the worker by the state; only the worker's report changes the display.
        const bool connected = connectedFirst && failure < 0;
        QSignalSpy connects(&window, &MainWindow::signalConnectDevice);
        QSignalSpy disconnects(&window, &MainWindow::signalDisconnectDevice);
        click(window, "buttonConnect");
        QCOMPARE(connects.count(), connected ? 0 : 1);
        QCOMPARE(disconnects.count(), connected ? 1 : 0);
        QCOMPARE(display(window), english);
    }

    void workerAnswersFromItsThreadAndStopsWithTheWindow()
    {
        // The click's request is queued to the worker, which finds no port and reports so; only
        // that report can restore the status text. Its record crosses threads as a meta-type.
        auto window = std::make_unique<MainWindow>();
        auto* status = qobject_cast<QLabel*>(child(*window, "labelStatusText"));
        status->setText("stale");
        portDiscoveryThread = nullptr;
        click(*window, "buttonConnect");
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QString("Disonnected"), kWaitMs);

        QThread* worker = portDiscoveryThread;
        QVERIFY(worker && worker != QThread::currentThread() && worker->isRunning());
        QSignalSpy finished(worker, &QThread::finished);
        QSignalSpy destroyed(worker, &QObject::destroyed);
        window.reset();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(destroyed.count(), 1);
    }

    // A worker stuck in a port call cannot keep the program from ending: the window goes within a
    // bound and leaves the running thread alone.
    void stuckWorkerDoesNotHoldUpTheWindow()
    {
        QSemaphore entered, stuck;
        setPortListProvider([&] {
            portDiscoveryThread = QThread::currentThread();
            entered.release();
            stuck.tryAcquire(1, 2 * kWaitMs);
            return PortList();
        });
        const auto restore = qScopeGuard([] { setPortListProvider(noPorts); });
        auto window = std::make_unique<MainWindow>();
        click(*window, "buttonConnect");
        QVERIFY(entered.tryAcquire(1, kWaitMs));
        const QPointer<QThread> worker = portDiscoveryThread.load();
        QElapsedTimer clock;
        clock.start();
        window.reset();
        const qint64 took = clock.elapsed();
        stuck.release();
        QVERIFY2(took < kWaitMs, qPrintable(QString::number(took)));
        // Left behind, not deleted: set free, the worker ends and frees the device; the thread is
        // what the program would leave at its end.
        QVERIFY(worker && worker->wait(kWaitMs));
        delete worker.data();
    }

    // The transfer line reads the language at a refresh, not at every step of a transfer.
    void transferLineReadsNoSettingsPerStep()
    {
        MainWindow window;
        auto* line = window.findChild<QLabel*>("labelTransfer");
        const QString english = line->font().family();
        QSettings("kalocfg.ini", QSettings::IniFormat).setValue("language", "chinesesimplified");
        for (qint64 received : {100, 200})
            QVERIFY(QMetaObject::invokeMethod(line, "showProgress", Q_ARG(int, 1), Q_ARG(qint64, received),
                                              Q_ARG(qint64, 1000)));
        QVERIFY(line->text().startsWith("Receiving picture 1"));
        QCOMPARE(line->font().family(), english);
    }

    // Dragging the background (here through the title, which lets the mouse through) moves the
    // window by each move's distance since the previous one, until the button is released.
    void dragMovesWindow()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
        const QPoint start = window.pos();
        QPoint at = window.mapToGlobal(QPoint(100, 40));
        // As the window system does: every event goes to the widget the press hit.
        QWidget* target = window.childAt(100, 40);
        const auto send = [&](QEvent::Type type, const QPoint& by) {
            at += by;
            QMouseEvent event(type, target->mapFromGlobal(at), window.mapFromGlobal(at), at, Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        };
        send(QEvent::MouseButtonPress, {});
        send(QEvent::MouseMove, {15, 10});
        send(QEvent::MouseMove, {4, -3});
        send(QEvent::MouseButtonRelease, {});
        send(QEvent::MouseMove, {40, 40});
        QCOMPARE(window.pos() - start, QPoint(19, 7));
    }

    // Tab walks the controls as the window reads. Under Windows' style too, the keyboard's focus
    // shows as the window's own flat frame, the same in every style (never the dotted one), while
    // a click leaves the look as it was.
    void tabShowsFlatFocusInOrder()
    {
        const QString ownStyle = QApplication::style()->objectName();
        const auto restoreStyle = qScopeGuard([&ownStyle] { QApplication::setStyle(ownStyle); });
        QMap<QString, QImage> focusedLook;
        for (const char* style : {"Windows", "Fusion"}) {
            QApplication::setStyle(style);
            MainWindow window;
            window.show();
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            window.slotDeviceGotImage(1, new QImage(picture));
            QCoreApplication::sendPostedEvents(window.findChild<PictureRows*>(), QEvent::MetaCall);
            auto* list = qobject_cast<QListWidget*>(child(window, "listWidget"));
            list->setCurrentRow(0);
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window, kWaitMs));
            QTRY_VERIFY_WITH_TIMEOUT(list->hasFocus(), kWaitMs);

            QMap<QString, QImage> unfocused;
            for (QWidget* widget : window.findChildren<QWidget*>())
                unfocused.insert(widget->objectName(), widget->grab().toImage());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(list->item(0)).center());
            QCOMPARE(list->grab().toImage(), unfocused.value("listWidget"));

            QStringList order;
            for (int i = 0; i < 9; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* focused = QApplication::focusWidget();
                order.append(focused->objectName());
                const QImage look = focused->grab().toImage();
                QVERIFY2(look != unfocused.value(focused->objectName()), qPrintable(order.last()));
                if (focusedLook.contains(order.last()) && focused != list)
                    QVERIFY2(look == focusedLook.value(order.last()), qPrintable(order.last()));
                focusedLook.insert(order.last(), look);
            }
            QCOMPARE(order,
                     QStringList({"buttonCh", "buttonEn", "buttonHelp", "buttonMinimize", "buttonClose",
                                  "buttonConnect", "buttonExport", "buttonExportAll", "listWidget"}));
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
