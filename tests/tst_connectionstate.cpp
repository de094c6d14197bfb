// Connection control and the status column: what a click asks of the worker, and what each
// report from the worker shows.
#include "app/fontfamilies.h"
#include "device/kadeviceinfo.h"
#include "device/portlist.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#define FIND_CHILD(var, Type, parent, name)                                                                  \
    Type* const var = (parent).findChild<Type*>(name);                                                       \
    QVERIFY2(var, "no child named " name)

namespace {

const int kWaitMs = 20000;

QImage comparable(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What the status column and the connect button show.
struct Display
{
    QString button;
    QString status;
    QString info;
    QImage icon;

    bool operator==(const Display& other) const
    {
        return button == other.button && status == other.status && info == other.info && icon == other.icon;
    }
};

Display displayOf(const MainWindow& window)
{
    const auto* button = window.findChild<QPushButton*>("buttonConnect");
    const auto* status = window.findChild<QLabel*>("labelStatusText");
    const auto* info = window.findChild<QLabel*>("labelDeviceInfo");
    const auto* icon = window.findChild<QLabel*>("labelStatusIcon");
    if (!button || !status || !info || !icon)
        return {};
    return {button->text(), status->text(), info->text(),
            comparable(icon->pixmap(Qt::ReturnByValue).toImage())};
}

// Single-shot timers on one thread fire in the order they expire, so once a longer one started
// now has fired, every shorter one started before it has fired too.
bool waitPastEarlierTimers()
{
    QTimer sentinel;
    sentinel.setSingleShot(true);
    sentinel.setTimerType(Qt::PreciseTimer);
    QSignalSpy fired(&sentinel, &QTimer::timeout);
    sentinel.start(500);
    return fired.wait(kWaitMs);
}

bool messageBoxShown()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

Display disconnectedDisplay()
{
    return {"Connect", "Disonnected", QString(), comparable(QImage(":/image/disconnected"))};
}

Display connectedDisplay(const QString& info)
{
    return {"Disconnect", "Connected", info, comparable(QImage(":/image/connected"))};
}

QString describe(const Display& display)
{
    QString icon = "another icon";
    if (display.icon == comparable(QImage(":/image/connected")))
        icon = "the connected icon";
    else if (display.icon == comparable(QImage(":/image/disconnected")))
        icon = "the disconnected icon";
    return QString("button \"%1\", status \"%2\", info \"%3\", %4")
        .arg(display.button, display.status, display.info, icon);
}

// Any message box, shown modal or not, is recorded and closed, so a test cannot hang on one.
class MessageBoxWatch : public QObject
{
public:
    MessageBoxWatch()
    {
        connect(&timer, &QTimer::timeout, this, &MessageBoxWatch::look);
        timer.start(20);
    }

    int seen()
    {
        look();
        return count;
    }

private:
    void look()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                ++count;
                box->done(0);
            }
        }
    }

    QTimer timer;
    int count = 0;
};

} // namespace

class TestConnectionState : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void startShowsDisconnected();
    void connectedReportShowsSecondLineAsIs();
    void clickRequestsByStateAndShowsNothing_data();
    void clickRequestsByStateAndShowsNothing();
    void failedReportsShowDisconnected_data();
    void failedReportsShowDisconnected();
    void disconnectedReportKeepsListAndPreview();
    void eachConnectedReportResetsListAndRequestsImages();
    void pendingImageRequestSurvivesDisconnect();
    void backToBackConnectedReportsRequestTwice();
};

void TestConnectionState::initTestCase()
{
    loadFontFamilies();
    // Connect requests reach the real worker; it must never find a port of this machine.
    setPortListProvider([] { return PortList(); });
    QVERIFY(QImage(":/image/connected") != QImage(":/image/disconnected"));
}

void TestConnectionState::cleanupTestCase()
{
    setPortListProvider({});
}

void TestConnectionState::cleanup()
{
    // The window tells about failures by its display only.
    QVERIFY(!messageBoxShown());
}

void TestConnectionState::startShowsDisconnected()
{
    ScopedWorkDir workDir;
    MainWindow window;
    FIND_CHILD(labelStatusIcon, QLabel, window, "labelStatusIcon");

    const Display shown = displayOf(window);
    QVERIFY2(shown == disconnectedDisplay(), qPrintable(describe(shown)));
    QCOMPARE(labelStatusIcon->geometry(), QRect(75, 142, 72, 72));
}

void TestConnectionState::connectedReportShowsSecondLineAsIs()
{
    ScopedWorkDir workDir;
    MainWindow window;
    FIND_CHILD(labelStatusIcon, QLabel, window, "labelStatusIcon");

    window.slotDeviceConnect(true, 0, KaDeviceInfo{"line A", "  line B\t ", "line C", "line D"});
    const Display shown = displayOf(window);
    QVERIFY2(shown == connectedDisplay("  line B\t "), qPrintable(describe(shown)));
    QCOMPARE(labelStatusIcon->geometry(), QRect(75, 142, 72, 72));

    // A later report replaces the line.
    window.slotDeviceConnect(true, 0, KaDeviceInfo{"", "other", "", ""});
    QCOMPARE(displayOf(window).info, QString("other"));
}

void TestConnectionState::clickRequestsByStateAndShowsNothing_data()
{
    QTest::addColumn<bool>("connected");
    QTest::newRow("disconnected") << false;
    QTest::newRow("connected") << true;
}

void TestConnectionState::clickRequestsByStateAndShowsNothing()
{
    QFETCH(bool, connected);

    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonConnect, QPushButton, window, "buttonConnect");
    if (connected)
        window.slotDeviceConnect(true, 0, KaDeviceInfo{"A", "B", "C", "D"});
    QSignalSpy connectRequests(&window, &MainWindow::signalConnectDevice);
    QSignalSpy disconnectRequests(&window, &MainWindow::signalDisconnectDevice);
    const Display before = displayOf(window);

    // Only the worker's report changes the display, not the click; a second click before the
    // report asks again.
    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    const Display afterClick = displayOf(window);
    QVERIFY2(afterClick == before, qPrintable(describe(afterClick)));
    QVERIFY(buttonConnect->isEnabled());
    QTest::mouseClick(buttonConnect, Qt::LeftButton);

    QCOMPARE(connectRequests.count(), connected ? 0 : 2);
    QCOMPARE(disconnectRequests.count(), connected ? 2 : 0);
}

void TestConnectionState::failedReportsShowDisconnected_data()
{
    QTest::addColumn<int>("error");
    QTest::newRow("no port") << 1;
    QTest::newRow("no answer") << 2;
    QTest::newRow("no error") << 0;
}

void TestConnectionState::failedReportsShowDisconnected()
{
    QFETCH(int, error);

    ScopedWorkDir workDir;
    MessageBoxWatch messageBoxes;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonConnect, QPushButton, window, "buttonConnect");
    QSignalSpy connectRequests(&window, &MainWindow::signalConnectDevice);

    // From the start and from a connection: the report's record is not shown.
    const KaDeviceInfo info{"A", "B", "C", "D"};
    window.slotDeviceConnect(false, error, info);
    Display shown = displayOf(window);
    QVERIFY2(shown == disconnectedDisplay(), qPrintable(describe(shown)));

    window.slotDeviceConnect(true, 0, info);
    window.slotDeviceConnect(false, error, info);
    shown = displayOf(window);
    QVERIFY2(shown == disconnectedDisplay(), qPrintable(describe(shown)));

    // The next click tries again.
    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    QCOMPARE(connectRequests.count(), 1);

    QCOMPARE(messageBoxes.seen(), 0);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestConnectionState::disconnectedReportKeepsListAndPreview()
{
    ScopedWorkDir workDir;
    MainWindow window;
    FIND_CHILD(listWidget, QListWidget, window, "listWidget");
    FIND_CHILD(labelPreview, QLabel, window, "labelPreview");
    FIND_CHILD(labelImageNumber, QLabel, window, "labelImageNumber");

    window.slotDeviceConnect(true, 0, KaDeviceInfo{"A", "B", "C", "D"});
    QImage second(12, 6, QImage::Format_RGB888);
    second.fill(Qt::red);
    window.slotDeviceGotImage(3, new QImage(12, 6, QImage::Format_RGB888));
    window.slotDeviceGotImage(8, new QImage(second));
    const QImage preview = comparable(labelPreview->pixmap(Qt::ReturnByValue).toImage());
    QCOMPARE(preview, comparable(second));

    window.slotDeviceConnect(false, 0, KaDeviceInfo{"A", "B", "C", "D"});
    QCOMPARE(listWidget->count(), 2);
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 8"));
    QCOMPARE(comparable(labelPreview->pixmap(Qt::ReturnByValue).toImage()), preview);
    const Display shown = displayOf(window);
    QVERIFY2(shown == disconnectedDisplay(), qPrintable(describe(shown)));
}

void TestConnectionState::eachConnectedReportResetsListAndRequestsImages()
{
    ScopedWorkDir workDir;
    MainWindow window;
    FIND_CHILD(listWidget, QListWidget, window, "listWidget");
    FIND_CHILD(labelImageNumber, QLabel, window, "labelImageNumber");
    QSignalSpy imageRequests(&window, &MainWindow::signalGetStoredImage);

    window.slotDeviceGotImage(1, new QImage(8, 8, QImage::Format_RGB888));
    QCOMPARE(listWidget->count(), 1);

    // The list empties at once; the request follows later, from the event loop.
    window.slotDeviceConnect(true, 0, KaDeviceInfo{"A", "B", "C", "D"});
    QCOMPARE(listWidget->count(), 0);
    QCOMPARE(imageRequests.count(), 0);
    QVERIFY(imageRequests.wait(kWaitMs));
    QCOMPARE(imageRequests.count(), 1);

    window.slotDeviceGotImage(2, new QImage(8, 8, QImage::Format_RGB888));
    window.slotDeviceGotImage(5, new QImage(8, 8, QImage::Format_RGB888));
    QCOMPARE(listWidget->count(), 2);

    window.slotDeviceConnect(true, 0, KaDeviceInfo{"A", "B", "C", "D"});
    QCOMPARE(listWidget->count(), 0);
    // The preview keeps the last picture until a new one comes.
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 5"));
    QCOMPARE(imageRequests.count(), 1);

    QVERIFY(waitPastEarlierTimers());
    QCOMPARE(imageRequests.count(), 2);
}

void TestConnectionState::pendingImageRequestSurvivesDisconnect()
{
    ScopedWorkDir workDir;
    MainWindow window;
    QSignalSpy imageRequests(&window, &MainWindow::signalGetStoredImage);

    window.slotDeviceConnect(true, 0, KaDeviceInfo{"A", "B", "C", "D"});
    window.slotDeviceConnect(false, 0, KaDeviceInfo{"A", "B", "C", "D"});
    QVERIFY(imageRequests.wait(kWaitMs));
    QVERIFY(waitPastEarlierTimers());
    QCOMPARE(imageRequests.count(), 1);
}

void TestConnectionState::backToBackConnectedReportsRequestTwice()
{
    ScopedWorkDir workDir;
    MainWindow window;
    FIND_CHILD(listWidget, QListWidget, window, "listWidget");
    QSignalSpy imageRequests(&window, &MainWindow::signalGetStoredImage);

    // The second report comes before the first request went out; neither replaces the other.
    window.slotDeviceConnect(true, 0, KaDeviceInfo{"A", "B", "C", "D"});
    window.slotDeviceGotImage(6, new QImage(8, 8, QImage::Format_RGB888));
    window.slotDeviceConnect(true, 0, KaDeviceInfo{"A", "B", "C", "D"});
    QCOMPARE(listWidget->count(), 0);
    QCOMPARE(imageRequests.count(), 0);

    QVERIFY(waitPastEarlierTimers());
    QCOMPARE(imageRequests.count(), 2);
}

QTEST_MAIN(TestConnectionState)
#include "tst_connectionstate.moc"
