// The main window's construction (size, flags, layout, stacking, wiring, the worker thread) and
// its own chrome (dragging, close, minimise).
#include "device/kadeviceinfo.h"
#include "device/portlist.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#define FIND_CHILD(var, Type, parent, name)                                                                  \
    Type* const var = (parent).findChild<Type*>(name);                                                       \
    QVERIFY2(var, "no child named " name)

namespace {

const int kWaitMs = 20000;

// QObject::receivers is protected; naming it through a subclass gives a pointer that any
// QObject can be called with.
struct ReceiverCount : QObject
{
    using QObject::receivers;
};

int receiverCount(const QObject* sender, const char* signal)
{
    int (QObject::*count)(const char*) const = &ReceiverCount::receivers;
    return (sender->*count)(signal);
}

// A pointer that delivers its events the way the window system does: a press goes to the widget
// under the pointer, and every event up to the last release goes to that same widget. Unhandled
// events travel up to the parents from there.
class Pointer
{
public:
    explicit Pointer(QWidget* window) : window(window) {}

    void pressAt(Qt::MouseButton button, const QPoint& global)
    {
        position = global;
        if (held == Qt::NoButton)
            target = widgetUnderPointer();
        held |= button;
        send(QEvent::MouseButtonPress, button);
    }

    void moveTo(const QPoint& global)
    {
        position = global;
        if (held == Qt::NoButton)
            target = widgetUnderPointer();
        send(QEvent::MouseMove, Qt::NoButton);
    }

    void release(Qt::MouseButton button)
    {
        held &= ~Qt::MouseButtons(button);
        send(QEvent::MouseButtonRelease, button);
    }

    QPoint pos() const { return position; }

private:
    QWidget* widgetUnderPointer() const
    {
        QWidget* child = window->childAt(window->mapFromGlobal(position));
        return child ? child : window;
    }

    void send(QEvent::Type type, Qt::MouseButton button)
    {
        QMouseEvent event(type, target->mapFromGlobal(position), window->mapFromGlobal(position), position,
                          button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    QWidget* window;
    QWidget* target = nullptr;
    QPoint position;
    Qt::MouseButtons held = Qt::NoButton;
};

// A pseudo-terminal that stands in for the device's serial port. The test holds the port side
// open in raw mode, so a reply can be queued before the device opens it without being echoed
// or altered by the line discipline.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        controller = posix_openpt(O_RDWR | O_NOCTTY);
        if (controller < 0 || grantpt(controller) != 0 || unlockpt(controller) != 0)
            return;
        const char* name = ptsname(controller);
        if (!name)
            return;
        path = QString::fromLocal8Bit(name);
        port = ::open(name, O_RDWR | O_NOCTTY);
        termios settings;
        if (port < 0 || tcgetattr(port, &settings) != 0)
            return;
        cfmakeraw(&settings);
        if (tcsetattr(port, TCSANOW, &settings) != 0)
            return;
        ready = fcntl(controller, F_SETFL, fcntl(controller, F_GETFL) | O_NONBLOCK) == 0;
    }

    ~PseudoTerminal()
    {
        if (port >= 0)
            ::close(port);
        if (controller >= 0)
            ::close(controller);
    }

    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isReady() const { return ready; }
    QString portPath() const { return path; }

    bool sendToHost(const QByteArray& bytes)
    {
        return ::write(controller, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    // Everything the host has written so far.
    QByteArray receivedFromHost()
    {
        char buffer[256];
        ssize_t count;
        while ((count = ::read(controller, buffer, sizeof buffer)) > 0)
            received.append(buffer, int(count));
        return received;
    }

private:
    int controller = -1;
    int port = -1;
    bool ready = false;
    QString path;
    QByteArray received;
};

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (24 - 8 * i)) & 0xff);
    return bytes;
}

// Every warning and error while it exists, from any thread.
class WarningCapture
{
public:
    WarningCapture() { previous = qInstallMessageHandler(handle); }
    ~WarningCapture() { qInstallMessageHandler(previous); }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    QStringList messages() const
    {
        QMutexLocker lock(&mutex);
        return captured;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg) {
            QMutexLocker lock(&mutex);
            captured.append(message);
        }
        if (previous)
            previous(type, context, message);
    }

    static QMutex mutex;
    static QStringList captured;
    static QtMessageHandler previous;
};

QMutex WarningCapture::mutex;
QStringList WarningCapture::captured;
QtMessageHandler WarningCapture::previous = nullptr;

std::atomic<QThread*> portDiscoveryThread{nullptr};
QMutex offeredPortsMutex;
PortList offeredPorts;

void offerPorts(const PortList& ports)
{
    QMutexLocker lock(&offeredPortsMutex);
    offeredPorts = ports;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    // construction
    void windowIsFixedAndFrameless();
    void widgetGeometry_data();
    void widgetGeometry();
    void laterSiblingsStackOnTop_data();
    void laterSiblingsStackOnTop();
    void controlsReachTheirSlots_data();
    void controlsReachTheirSlots();
    void windowSignalsEachReachOneReceiver();
    void deviceTalksToTheWindowAcrossThreads();
    void destroyingWindowStopsTheWorker();

    // chrome
    void dragMovesWindow_data();
    void dragMovesWindow();
    void secondButtonRestartsDrag();
    void releaseEndsDrag();
    void closeButtonEndsEventLoop();
    void minimizeButtonMinimizes();
};

void TestMainWindow::initTestCase()
{
    // Connect requests never reach the machine's real serial ports; tests offer their own.
    setPortListProvider([] {
        portDiscoveryThread = QThread::currentThread();
        QMutexLocker lock(&offeredPortsMutex);
        return offeredPorts;
    });
}

void TestMainWindow::cleanupTestCase()
{
    setPortListProvider({});
}

void TestMainWindow::init()
{
    offerPorts({});
    portDiscoveryThread = nullptr;
}

void TestMainWindow::windowIsFixedAndFrameless()
{
    ScopedWorkDir workDir;
    MainWindow window;

    QCOMPARE(window.size(), QSize(945, 614));
    QCOMPARE(window.minimumSize(), QSize(945, 614));
    QCOMPARE(window.maximumSize(), QSize(945, 614));

    QCOMPARE(window.windowType(), Qt::Window);
    QCOMPARE(window.windowFlags() & ~Qt::WindowType_Mask, Qt::WindowFlags(Qt::FramelessWindowHint));
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));

    // The background widget carries the picture; it is a plain child, not the central widget.
    FIND_CHILD(background, QWidget, window, "widgetBackground");
    QVERIFY(window.centralWidget() == nullptr);
    QVERIFY(background->autoFillBackground());
    const QImage expected = QImage(":/image/background").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QImage painted = background->palette()
                                   .brush(group, QPalette::Window)
                                   .texture()
                                   .toImage()
                                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(painted == expected, qPrintable(QString("colour group %1").arg(group)));
    }
}

void TestMainWindow::widgetGeometry_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<QRect>("geometry");

    // An empty parent name stands for the window itself. Title and underline are the English ones.
    QTest::newRow("widgetBackground") << "" << QByteArray("QWidget") << QRect(0, 0, 945, 614);
    QTest::newRow("widgetTitle") << "widgetBackground" << QByteArray("QWidget") << QRect(40, 30, 393, 27);
    QTest::newRow("buttonConnect") << "widgetBackground" << QByteArray("QPushButton")
                                   << QRect(20, 68, 180, 60);
    QTest::newRow("buttonExport") << "widgetBackground" << QByteArray("QPushButton")
                                  << QRect(200, 68, 180, 60);
    QTest::newRow("buttonExportAll") << "widgetBackground" << QByteArray("QPushButton")
                                     << QRect(380, 68, 180, 60);
    QTest::newRow("buttonClose") << "widgetBackground" << QByteArray("QPushButton") << QRect(875, 35, 22, 22);
    QTest::newRow("buttonMinimize") << "widgetBackground" << QByteArray("QPushButton")
                                    << QRect(850, 35, 22, 22);
    QTest::newRow("labelSeparator") << "widgetBackground" << QByteArray("QLabel") << QRect(763, 78, 20, 40);
    QTest::newRow("buttonCh") << "widgetBackground" << QByteArray("QPushButton") << QRect(710, 78, 50, 40);
    QTest::newRow("buttonEn") << "widgetBackground" << QByteArray("QPushButton") << QRect(770, 78, 70, 40);
    QTest::newRow("labelUnderline") << "widgetBackground" << QByteArray("QLabel") << QRect(780, 113, 50, 3);
    QTest::newRow("buttonHelp") << "widgetBackground" << QByteArray("QPushButton") << QRect(870, 78, 32, 32);
    QTest::newRow("labelStatusIcon") << "widgetBackground" << QByteArray("QLabel") << QRect(75, 142, 72, 72);
    QTest::newRow("labelStatusText") << "widgetBackground" << QByteArray("QLabel") << QRect(20, 218, 180, 20);
    QTest::newRow("labelDeviceInfo") << "widgetBackground" << QByteArray("QLabel") << QRect(20, 240, 180, 20);
    QTest::newRow("labelLogo") << "widgetBackground" << QByteArray("QLabel") << QRect(785, 560, 114, 16);
    QTest::newRow("listWidget") << "widgetBackground" << QByteArray("QListWidget")
                                << QRect(20, 267, 180, 320);
    QTest::newRow("labelFrame") << "widgetBackground" << QByteArray("QLabel") << QRect(320, 150, 488, 438);
    QTest::newRow("labelPreview") << "labelFrame" << QByteArray("QLabel") << QRect(64, 64, 360, 240);
    QTest::newRow("labelImageNumber") << "labelFrame" << QByteArray("QLabel") << QRect(68, 335, 200, 40);
}

void TestMainWindow::widgetGeometry()
{
    QFETCH(QString, parentName);
    QFETCH(QByteArray, className);
    QFETCH(QRect, geometry);

    ScopedWorkDir workDir;
    MainWindow window;
    const QString name = QTest::currentDataTag();
    QWidget* widget = window.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable("no widget named " + name));
    QWidget* expectedParent =
        parentName.isEmpty() ? static_cast<QWidget*>(&window) : window.findChild<QWidget*>(parentName);
    QVERIFY(expectedParent);

    QCOMPARE(QByteArray(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget(), expectedParent);
    QCOMPARE(widget->geometry(), geometry);
}

void TestMainWindow::laterSiblingsStackOnTop_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("topName");

    QTest::newRow("English button over the separator") << QPoint(775, 90) << "buttonEn";
    QTest::newRow("separator bar left of the English button") << QPoint(765, 90) << "labelSeparator";
    QTest::newRow("underline over the English button") << QPoint(800, 114) << "labelUnderline";
    QTest::newRow("frame over the logo") << QPoint(790, 565) << "labelFrame";
    QTest::newRow("logo beside the frame") << QPoint(850, 565) << "labelLogo";
    QTest::newRow("preview inside the frame") << QPoint(500, 300) << "labelPreview";
    QTest::newRow("image number inside the frame") << QPoint(400, 500) << "labelImageNumber";
    // The title lets the mouse through to the background.
    QTest::newRow("title") << QPoint(100, 40) << "widgetBackground";
}

void TestMainWindow::laterSiblingsStackOnTop()
{
    QFETCH(QPoint, point);
    QFETCH(QString, topName);

    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));

    QWidget* top = window.childAt(point);
    QVERIFY(top);
    QCOMPARE(top->objectName(), topName);
}

void TestMainWindow::controlsReachTheirSlots_data()
{
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("slot");

    QTest::newRow("buttonClose") << QByteArray(SIGNAL(clicked(bool))) << QByteArray(SLOT(slotButtonClose()));
    QTest::newRow("buttonMinimize") << QByteArray(SIGNAL(clicked(bool)))
                                    << QByteArray(SLOT(slotButtonMinimize()));
    QTest::newRow("buttonCh") << QByteArray(SIGNAL(clicked(bool))) << QByteArray(SLOT(slotButtonCh()));
    QTest::newRow("buttonEn") << QByteArray(SIGNAL(clicked(bool))) << QByteArray(SLOT(slotButtonEn()));
    QTest::newRow("buttonConnect") << QByteArray(SIGNAL(clicked(bool)))
                                   << QByteArray(SLOT(slotButtonConnect()));
    QTest::newRow("buttonExport") << QByteArray(SIGNAL(clicked(bool)))
                                  << QByteArray(SLOT(slotButtonExport()));
    QTest::newRow("buttonExportAll") << QByteArray(SIGNAL(clicked(bool)))
                                     << QByteArray(SLOT(slotButtonExportAll()));
    QTest::newRow("listWidget") << QByteArray(SIGNAL(clicked(QModelIndex)))
                                << QByteArray(SLOT(slotListWidgetClicked()));
    // The help button has no action.
    QTest::newRow("buttonHelp") << QByteArray(SIGNAL(clicked(bool))) << QByteArray();
}

void TestMainWindow::controlsReachTheirSlots()
{
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, slot);

    ScopedWorkDir workDir;
    MainWindow window;
    const QString name = QTest::currentDataTag();
    QWidget* control = window.findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable("no widget named " + name));

    const int before = receiverCount(control, signal.constData());
    if (slot.isEmpty()) {
        QCOMPARE(before, 0);
        return;
    }
    // Taking the connection away finds exactly one that leads to this slot of the window.
    QVERIFY(QObject::disconnect(control, signal.constData(), &window, slot.constData()));
    QCOMPARE(before - receiverCount(control, signal.constData()), 1);
}

void TestMainWindow::windowSignalsEachReachOneReceiver()
{
    ScopedWorkDir workDir;
    MainWindow window;
    // Each request goes to the worker and nowhere else.
    QCOMPARE(receiverCount(&window, SIGNAL(signalConnectDevice())), 1);
    QCOMPARE(receiverCount(&window, SIGNAL(signalDisconnectDevice())), 1);
    QCOMPARE(receiverCount(&window, SIGNAL(signalGetStoredImage())), 1);
}

void TestMainWindow::deviceTalksToTheWindowAcrossThreads()
{
    PseudoTerminal terminal;
    QVERIFY(terminal.isReady());
    offerPorts({qMakePair(terminal.portPath(), QString("CP2102 USB to UART Bridge Controller"))});
    // Queued before the port is opened, so the handshake cannot miss its deadline on a busy machine.
    QVERIFY(terminal.sendToHost("AT_INFO\r\nfirst\r\nsecond line\r\nthird\r\nfourth\r\n"));

    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonConnect, QPushButton, window, "buttonConnect");
    FIND_CHILD(labelStatusText, QLabel, window, "labelStatusText");
    FIND_CHILD(labelDeviceInfo, QLabel, window, "labelDeviceInfo");
    FIND_CHILD(labelImageNumber, QLabel, window, "labelImageNumber");
    FIND_CHILD(listWidget, QListWidget, window, "listWidget");

    // Click -> connect request -> worker opens the port, handshake -> report -> window.
    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(labelStatusText->text(), QString("Connected"), kWaitMs);
    QCOMPARE(labelDeviceInfo->text(), QString("second line"));
    QVERIFY(terminal.receivedFromHost().startsWith("AT_INFO*"));

    // The worker did its port discovery on a thread of its own.
    QThread* workerThread = portDiscoveryThread;
    QVERIFY(workerThread);
    QVERIFY(workerThread != window.thread());
    QVERIFY(workerThread != QThread::currentThread());

    // The window's stored-image request reaches the worker, and its image reaches the window.
    QTRY_VERIFY_WITH_TIMEOUT(terminal.receivedFromHost().contains("AT_GSI**"), kWaitMs);
    const QByteArray pixels(4 * 2 * 3, char(0x40));
    QVERIFY(terminal.sendToHost("AT_SI\r\n" + bigEndian(4) + bigEndian(2) + bigEndian(3) + bigEndian(7) +
                                pixels));
    QTRY_COMPARE_WITH_TIMEOUT(listWidget->count(), 1, kWaitMs);
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 7"));

    // Disconnect request -> worker closes the port -> report -> window; the list stays.
    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(labelStatusText->text(), QString("Disonnected"), kWaitMs);
    QVERIFY(terminal.receivedFromHost().contains("AT_DIS**"));
    QCOMPARE(listWidget->count(), 1);
}

void TestMainWindow::destroyingWindowStopsTheWorker()
{
    ScopedWorkDir workDir;
    auto* window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window, kWaitMs));
    QPushButton* buttonConnect = window->findChild<QPushButton*>("buttonConnect");
    QVERIFY(buttonConnect);

    // A connect request makes the worker look for ports, which tells us its thread.
    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(portDiscoveryThread.load() != nullptr, kWaitMs);
    QThread* workerThread = portDiscoveryThread;
    QVERIFY(workerThread->isRunning());
    QSignalSpy finished(workerThread, &QThread::finished);
    QSignalSpy destroyed(workerThread, &QObject::destroyed);

    WarningCapture warnings;
    delete window;

    QCOMPARE(finished.count(), 1);
    QCOMPARE(destroyed.count(), 1);
    QVERIFY2(warnings.messages().isEmpty(), qPrintable(warnings.messages().join('\n')));
}

void TestMainWindow::dragMovesWindow_data()
{
    QTest::addColumn<QPoint>("pressPoint");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("firstStep");
    QTest::addColumn<QPoint>("secondStep");
    QTest::addColumn<bool>("moves");

    QTest::newRow("background, left button")
        << QPoint(600, 40) << int(Qt::LeftButton) << QPoint(15, 10) << QPoint(4, -3) << true;
    QTest::newRow("background, right button")
        << QPoint(600, 40) << int(Qt::RightButton) << QPoint(-20, 7) << QPoint(-1, 30) << true;
    QTest::newRow("background, middle button")
        << QPoint(600, 40) << int(Qt::MiddleButton) << QPoint(8, -12) << QPoint(12, 2) << true;
    QTest::newRow("title") << QPoint(100, 40) << int(Qt::LeftButton) << QPoint(5, 5) << QPoint(5, 5) << true;
    QTest::newRow("status text") << QPoint(100, 228) << int(Qt::RightButton) << QPoint(10, 0) << QPoint(0, 10)
                                 << true;
    QTest::newRow("preview") << QPoint(500, 300) << int(Qt::MiddleButton) << QPoint(0, 10) << QPoint(-10, 0)
                             << true;
    QTest::newRow("far off the screen")
        << QPoint(600, 40) << int(Qt::LeftButton) << QPoint(-3000, -2000) << QPoint(-500, -500) << true;
    QTest::newRow("connect button") << QPoint(100, 90) << int(Qt::LeftButton) << QPoint(10, 10)
                                    << QPoint(20, 20) << false;
    QTest::newRow("thumbnail list") << QPoint(100, 400) << int(Qt::LeftButton) << QPoint(10, 10)
                                    << QPoint(20, 20) << false;
}

void TestMainWindow::dragMovesWindow()
{
    QFETCH(QPoint, pressPoint);
    QFETCH(int, button);
    QFETCH(QPoint, firstStep);
    QFETCH(QPoint, secondStep);
    QFETCH(bool, moves);

    ScopedWorkDir workDir;
    MainWindow window;
    window.move(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    const QPoint start = window.pos();

    Pointer pointer(&window);
    pointer.pressAt(Qt::MouseButton(button), window.mapToGlobal(pressPoint));
    QCOMPARE(window.pos(), start);

    // The window follows each move by the distance since the previous one.
    pointer.moveTo(pointer.pos() + firstStep);
    QCOMPARE(window.pos(), moves ? start + firstStep : start);
    pointer.moveTo(pointer.pos() + secondStep);
    QCOMPARE(window.pos(), moves ? start + firstStep + secondStep : start);

    pointer.release(Qt::MouseButton(button));
    QCOMPARE(window.pos(), moves ? start + firstStep + secondStep : start);
}

void TestMainWindow::secondButtonRestartsDrag()
{
    ScopedWorkDir workDir;
    MainWindow window;
    window.move(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    const QPoint start = window.pos();
    const QPoint origin = window.mapToGlobal(QPoint(600, 40));

    Pointer pointer(&window);
    pointer.pressAt(Qt::LeftButton, origin);
    pointer.moveTo(origin + QPoint(10, 5));
    QCOMPARE(window.pos(), start + QPoint(10, 5));

    // The second press comes from elsewhere; the drag goes on from there, without a jump.
    pointer.pressAt(Qt::RightButton, origin + QPoint(40, 40));
    QCOMPARE(window.pos(), start + QPoint(10, 5));
    pointer.moveTo(origin + QPoint(45, 42));
    QCOMPARE(window.pos(), start + QPoint(15, 7));

    // Releasing either button ends the drag, even with the other still held.
    pointer.release(Qt::RightButton);
    pointer.moveTo(origin + QPoint(80, 80));
    QCOMPARE(window.pos(), start + QPoint(15, 7));
    pointer.release(Qt::LeftButton);
}

void TestMainWindow::releaseEndsDrag()
{
    ScopedWorkDir workDir;
    MainWindow window;
    window.move(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    const QPoint start = window.pos();
    const QPoint origin = window.mapToGlobal(QPoint(600, 40));

    // Moves without a press are ignored.
    Pointer pointer(&window);
    pointer.moveTo(origin + QPoint(30, 30));
    QCOMPARE(window.pos(), start);

    pointer.pressAt(Qt::LeftButton, origin);
    pointer.moveTo(origin + QPoint(-6, 9));
    QCOMPARE(window.pos(), start + QPoint(-6, 9));
    pointer.release(Qt::LeftButton);

    pointer.moveTo(origin + QPoint(50, 50));
    pointer.moveTo(origin + QPoint(70, 20));
    QCOMPARE(window.pos(), start + QPoint(-6, 9));
}

void TestMainWindow::closeButtonEndsEventLoop()
{
    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonClose, QPushButton, window, "buttonClose");

    QTimer::singleShot(0, buttonClose, [buttonClose] { QTest::mouseClick(buttonClose, Qt::LeftButton); });
    // Only a guard against a loop that never ends; 1 would mean the click did not end it.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(120000);

    const int result = QApplication::exec();
    guard.stop();
    QCOMPARE(result, 0);
    QVERIFY(!window.isVisible());
}

void TestMainWindow::minimizeButtonMinimizes()
{
    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonMinimize, QPushButton, window, "buttonMinimize");
    FIND_CHILD(labelStatusText, QLabel, window, "labelStatusText");
    FIND_CHILD(listWidget, QListWidget, window, "listWidget");

    window.slotDeviceConnect(true, 0, KaDeviceInfo{"a", "b", "c", "d"});
    window.slotDeviceGotImage(1, new QImage(8, 8, QImage::Format_RGB888));

    QTest::mouseClick(buttonMinimize, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window.windowState() & Qt::WindowMinimized, kWaitMs);
    QVERIFY(!window.isHidden());
    QCOMPARE(labelStatusText->text(), QString("Connected"));
    QCOMPARE(listWidget->count(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
