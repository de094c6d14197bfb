// The main window's construction (size, flags, layout, stacking, wiring, the worker thread) and
// its own chrome (dragging, close, minimise).
#include "device/portlist.h"
#include "support/debugcapture.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

const int kWaitMs = 20000;

QWidget* child(const QWidget& window, const QString& name)
{
    return window.findChild<QWidget*>(name);
}

// QObject::receivers is protected; a pointer taken through a subclass works on any QObject.
struct ReceiversAccess : QObject
{
    using QObject::receivers;
};

int receiverCount(const QObject* sender, const char* signal)
{
    int (QObject::*count)(const char*) const = &ReceiversAccess::receivers;
    return (sender->*count)(signal);
}

// Delivers the mouse as the window system does: everything goes to the widget the first press
// hit, and what that widget leaves unhandled travels up to the window.
class Pointer
{
public:
    Pointer(QWidget* window, const QPoint& at)
        : window(window), target(window->childAt(at) ? window->childAt(at) : window),
          position(window->mapToGlobal(at))
    {
    }
    void press(Qt::MouseButton button, const QPoint& by = {}) { send(QEvent::MouseButtonPress, button, by); }
    void release(Qt::MouseButton button) { send(QEvent::MouseButtonRelease, button, {}); }
    void moveBy(const QPoint& by) { send(QEvent::MouseMove, Qt::NoButton, by); }

private:
    void send(QEvent::Type type, Qt::MouseButton button, const QPoint& by)
    {
        position += by;
        if (type == QEvent::MouseButtonPress)
            held |= button;
        else if (type == QEvent::MouseButtonRelease)
            held &= ~Qt::MouseButtons(button);
        QMouseEvent event(type, target->mapFromGlobal(position), window->mapFromGlobal(position), position,
                          button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    QWidget* window;
    QWidget* target;
    QPoint position;
    Qt::MouseButtons held = Qt::NoButton;
};

// The thread the worker looks for ports on; no test ever reaches the machine's real ports.
std::atomic<QThread*> portDiscoveryThread{nullptr};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<MainWindow> window;

private slots:
    void initTestCase()
    {
        setPortListProvider([] {
            portDiscoveryThread = QThread::currentThread();
            return PortList();
        });
    }
    void cleanupTestCase() { setPortListProvider({}); }

    void init()
    {
        // English, from a settings file nobody wrote.
        workDir = std::make_unique<ScopedWorkDir>();
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get(), kWaitMs));
    }
    void cleanup()
    {
        window.reset();
        workDir.reset();
    }

    void windowIsFixedFramelessTranslucent()
    {
        QCOMPARE(window->minimumSize(), QSize(945, 614));
        QCOMPARE(window->maximumSize(), QSize(945, 614));
        QCOMPARE(window->windowFlags() & ~Qt::WindowType_Mask, Qt::WindowFlags(Qt::FramelessWindowHint));
        QVERIFY(window->testAttribute(Qt::WA_TranslucentBackground));

        QWidget* background = child(*window, "widgetBackground");
        QVERIFY(background && background->autoFillBackground());
        const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
        QCOMPARE(background->palette().window().texture().toImage().convertToFormat(premultiplied),
                 QImage(":/image/background").convertToFormat(premultiplied));
    }

    void widgetGeometry_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        const QString bg = "widgetBackground";
        // Title and underline as in English.
        QTest::newRow("widgetBackground") << QString() << QRect(0, 0, 945, 614);
        QTest::newRow("widgetTitle") << bg << QRect(40, 30, 393, 27);
        QTest::newRow("buttonConnect") << bg << QRect(20, 68, 180, 60);
        QTest::newRow("buttonExport") << bg << QRect(200, 68, 180, 60);
        QTest::newRow("buttonExportAll") << bg << QRect(380, 68, 180, 60);
        QTest::newRow("buttonClose") << bg << QRect(875, 35, 22, 22);
        QTest::newRow("buttonMinimize") << bg << QRect(850, 35, 22, 22);
        QTest::newRow("labelSeparator") << bg << QRect(763, 78, 20, 40);
        QTest::newRow("buttonCh") << bg << QRect(710, 78, 50, 40);
        QTest::newRow("buttonEn") << bg << QRect(770, 78, 70, 40);
        QTest::newRow("labelUnderline") << bg << QRect(780, 113, 50, 3);
        QTest::newRow("buttonHelp") << bg << QRect(870, 78, 32, 32);
        QTest::newRow("labelStatusIcon") << bg << QRect(75, 142, 72, 72);
        QTest::newRow("labelStatusText") << bg << QRect(20, 218, 180, 20);
        QTest::newRow("labelDeviceInfo") << bg << QRect(20, 240, 180, 20);
        QTest::newRow("labelLogo") << bg << QRect(785, 560, 114, 16);
        QTest::newRow("listWidget") << bg << QRect(20, 267, 180, 320);
        QTest::newRow("labelFrame") << bg << QRect(320, 150, 488, 438);
        QTest::newRow("labelPreview") << "labelFrame" << QRect(64, 64, 360, 240);
        QTest::newRow("labelImageNumber") << "labelFrame" << QRect(68, 335, 200, 40);
    }
    void widgetGeometry()
    {
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QWidget* widget = child(*window, QTest::currentDataTag());
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), parent.isEmpty() ? window.get() : child(*window, parent));
        QCOMPARE(widget->geometry(), geometry);
    }

    void stacking()
    {
        auto nameAt = [this](int x, int y) {
            const QWidget* widget = window->childAt(x, y);
            return widget ? widget->objectName() : QString();
        };
        QCOMPARE(nameAt(775, 90), QString("buttonEn")); // over the separator it overlaps
        // The title lets the mouse through to the background, which drags the window.
        QCOMPARE(nameAt(100, 40), QString("widgetBackground"));
    }

    void controlsReachTheirSlots()
    {
        const struct
        {
            const char* sender;
            const char* signal;
            const char* slot;
        } connections[] = {
            {"buttonClose", SIGNAL(clicked(bool)), SLOT(slotButtonClose())},
            {"buttonMinimize", SIGNAL(clicked(bool)), SLOT(slotButtonMinimize())},
            {"buttonCh", SIGNAL(clicked(bool)), SLOT(slotButtonCh())},
            {"buttonEn", SIGNAL(clicked(bool)), SLOT(slotButtonEn())},
            {"buttonConnect", SIGNAL(clicked(bool)), SLOT(slotButtonConnect())},
            {"buttonExport", SIGNAL(clicked(bool)), SLOT(slotButtonExport())},
            {"buttonExportAll", SIGNAL(clicked(bool)), SLOT(slotButtonExportAll())},
            {"listWidget", SIGNAL(clicked(QModelIndex)), SLOT(slotListWidgetClicked())},
        };
        for (const auto& connection : connections) {
            QWidget* sender = child(*window, connection.sender);
            QVERIFY2(sender, connection.sender);
            // Taking it away finds exactly one connection, and it leads to this slot of the window.
            const int before = receiverCount(sender, connection.signal);
            QVERIFY2(QObject::disconnect(sender, connection.signal, window.get(), connection.slot),
                     connection.slot);
            QCOMPARE(before - receiverCount(sender, connection.signal), 1);
        }
        // Each request goes to the worker and nowhere else; the help button does nothing.
        QCOMPARE(receiverCount(window.get(), SIGNAL(signalConnectDevice())), 1);
        QCOMPARE(receiverCount(window.get(), SIGNAL(signalDisconnectDevice())), 1);
        QCOMPARE(receiverCount(window.get(), SIGNAL(signalGetStoredImage())), 1);
        QCOMPARE(receiverCount(child(*window, "buttonHelp"), SIGNAL(clicked(bool))), 0);
    }

    void workerAnswersFromItsThreadAndStopsWithTheWindow()
    {
        // The click's request is queued to the worker, which finds no port and reports so; only
        // that report can restore the status text. Its record crosses threads as a meta-type.
        auto* status = qobject_cast<QLabel*>(child(*window, "labelStatusText"));
        QVERIFY(status);
        status->setText("stale");
        portDiscoveryThread = nullptr;
        QTest::mouseClick(child(*window, "buttonConnect"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QString("Disonnected"), kWaitMs);

        QThread* worker = portDiscoveryThread;
        QVERIFY(worker && worker != QThread::currentThread() && worker->isRunning());
        QSignalSpy finished(worker, &QThread::finished);
        QSignalSpy destroyed(worker, &QObject::destroyed);
        DebugCapture warnings(QtWarningMsg);
        window.reset();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(destroyed.count(), 1);
        QVERIFY2(warnings.lines().isEmpty(), qPrintable(warnings.lines().join('\n')));
    }

    void dragMovesWindow_data()
    {
        QTest::addColumn<QPoint>("pressPoint");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("background, right button") << QPoint(600, 40) << int(Qt::RightButton) << true;
        QTest::newRow("title, middle button") << QPoint(100, 40) << int(Qt::MiddleButton) << true;
        QTest::newRow("connect button") << QPoint(100, 90) << int(Qt::LeftButton) << false;
        QTest::newRow("thumbnail list") << QPoint(100, 400) << int(Qt::LeftButton) << false;
    }
    void dragMovesWindow()
    {
        QFETCH(QPoint, pressPoint);
        QFETCH(int, button);
        QFETCH(bool, moves);
        const QPoint start = window->pos();
        Pointer pointer(window.get(), pressPoint);

        // The window follows each move by the distance since the previous one.
        pointer.press(Qt::MouseButton(button));
        pointer.moveBy({15, 10});
        pointer.moveBy({4, -3});
        QCOMPARE(window->pos() - start, moves ? QPoint(19, 7) : QPoint());
        pointer.release(Qt::MouseButton(button));
    }

    void secondButtonRestartsDrag()
    {
        const QPoint start = window->pos();
        Pointer pointer(window.get(), {600, 40});
        pointer.press(Qt::RightButton);
        pointer.moveBy({10, 5});
        // The second press comes from elsewhere; the drag goes on from there, without a jump.
        pointer.press(Qt::MiddleButton, {30, 35});
        pointer.moveBy({5, 2});
        QCOMPARE(window->pos() - start, QPoint(15, 7));
        // Releasing either button ends the drag; the other stays held, as a move without a button
        // never reaches a window that does not track the mouse.
        pointer.release(Qt::MiddleButton);
        pointer.moveBy({40, 40});
        QCOMPARE(window->pos() - start, QPoint(15, 7));
        pointer.release(Qt::RightButton);
    }

    // The Windows build draws with Qt's Windows style, which outlines a focused control with
    // dots; the flat controls must look the same whether focus came by keyboard or by click.
    void focusDrawsNoFrameInWindowsStyle_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("large button") << "buttonConnect";
        QTest::newRow("language button") << "buttonCh";
        QTest::newRow("picture list") << "listWidget";
    }
    void focusDrawsNoFrameInWindowsStyle()
    {
        QFETCH(QString, control);
        const QString ownStyle = QApplication::style()->objectName();
        QApplication::setStyle("Windows");
        const auto restoreStyle = qScopeGuard([&ownStyle] { QApplication::setStyle(ownStyle); });
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        window->slotDeviceGotImage(1, new QImage(picture));
        auto* list = qobject_cast<QListWidget*>(child(*window, "listWidget"));
        list->setCurrentRow(0);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get(), kWaitMs));

        QWidget* widget = child(*window, control);
        widget->clearFocus();
        const QImage unfocused = widget->grab().toImage();
        if (widget == list) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(list->item(0)).center());
        } else {
            widget->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY_WITH_TIMEOUT(widget->hasFocus(), kWaitMs);
        }
        QCOMPARE(widget->grab().toImage(), unfocused);
    }

    void minimizeAndClose()
    {
        QTest::mouseClick(child(*window, "buttonMinimize"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window->windowState() & Qt::WindowMinimized, kWaitMs);

        QWidget* close = child(*window, "buttonClose");
        QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
        // Only a guard against a loop that never ends; it goes with the window.
        QTimer::singleShot(kWaitMs, window.get(), [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
