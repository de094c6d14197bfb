// The viewer window: opened from a row, Enter, the preview and the menus; the raw value under the
// pointer in each format; sharp pixels at every zoom; Page Up and Page Down keeping zoom, position
// and region; the region's figures and Copy; the difference; and, against the simulator over a
// real port, following the live view and recording it.
#include "core/originalpicture.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "protocolframes.h"
#include "support/dialoganswer.h"
#include "support/menuchoice.h"
#include "support/receivedpicture.h"
#include "support/shownwindow.h"
#include "ui/session/linksession.h"
#include "ui/viewer/pixelcanvas.h"
#include "ui/viewer/viewerwindow.h"
#include "ui/window/fontfamilies.h"

#include <QClipboard>
#include <QPushButton>
#include <QtTest>

namespace {

const int kWaitMs = 30000;

ViewerWindow* viewerOf(const ShownWindow& ui)
{
    return ui.window.findChild<ViewerWindow*>();
}

PixelCanvas* canvasOf(const ShownWindow& ui)
{
    return ui.window.findChild<PixelCanvas*>("widgetCanvas");
}

QString textOf(const ShownWindow& ui, const char* name)
{
    return ui.window.findChild<QLabel*>(name)->text();
}

// The widget's point over the middle of picture pixel (x, y).
QPoint over(PixelCanvas* canvas, int x, int y)
{
    return (canvas->transform().toView(QPointF(x + 0.5, y + 0.5)) / canvas->devicePixelRatioF()).toPoint();
}

// As the system delivers one: a click, then the double click.
void doubleClick(QWidget* widget, const QPoint& at)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void moveTo(QWidget* widget, const QPoint& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &move);
}

void dragRegion(PixelCanvas* canvas, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(canvas, Qt::LeftButton, Qt::ShiftModifier, over(canvas, from.x(), from.y()));
    moveTo(canvas, over(canvas, to.x(), to.y()), Qt::ShiftModifier);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ShiftModifier, over(canvas, to.x(), to.y()));
}

// Enter on the row opens it; null when no viewer shows.
PixelCanvas* openRow(const ShownWindow& ui, int row)
{
    ui.list()->setCurrentRow(row);
    QTest::keyClick(ui.list(), Qt::Key_Return);
    ViewerWindow* viewer = viewerOf(ui);
    return viewer && QTest::qWaitForWindowExposed(viewer) ? canvasOf(ui) : nullptr;
}

// An 8x6 grey picture of one level with one pixel of another.
QImage greyPicture(int level, QPoint odd = QPoint(-1, -1), int oddLevel = 0)
{
    QByteArray pixels(48, char(level));
    if (odd.x() >= 0)
        pixels[odd.y() * 8 + odd.x()] = char(oddLevel);
    return receivedPicture(8, 6, 1, pixels);
}

} // namespace

class TestViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }

    void opensFromRowsPreviewAndMenus()
    {
        ShownWindow ui;
        QVERIFY(ui.exposed);
        ui.deliver(7, greyPicture(10));
        ui.deliver(9, greyPicture(20));
        QListWidget* list = ui.list();
        doubleClick(list->viewport(), list->visualItemRect(list->item(0)).center());
        QTRY_VERIFY(viewerOf(ui) && viewerOf(ui)->isVisible());
        QCOMPARE(viewerOf(ui)->windowTitle(), QString("Picture 7 (1 of 2) – viewer – KA Image Viewer"));
        viewerOf(ui)->close();

        list->setFocus();
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(viewerOf(ui)->isVisible());
        QCOMPARE(viewerOf(ui)->windowTitle(), QString("Picture 9 (2 of 2) – viewer – KA Image Viewer"));

        clickRow(list, 0);
        doubleClick(ui.child("labelFrame"), QPoint(200, 200));
        QCOMPARE(viewerOf(ui)->windowTitle(), QString("Picture 7 (1 of 2) – viewer – KA Image Viewer"));

        clickRow(list, 1);
        chooseFromMenu("Open in the viewer");
        emit list->customContextMenuRequested(list->visualItemRect(list->item(1)).center());
        QCOMPARE(viewerOf(ui)->windowTitle(), QString("Picture 9 (2 of 2) – viewer – KA Image Viewer"));

        QTest::mouseClick(ui.child<QPushButton>("buttonCh"), Qt::LeftButton);
        // The language change reaches every window on the next turn of the event loop.
        QTRY_COMPARE(viewerOf(ui)->windowTitle(),
                     QString::fromUtf8("图片 9（第 2 张，共 2 张） – 查看器 – KA 图像查看器"));
        QTest::mouseClick(ui.child<QPushButton>("buttonEn"), Qt::LeftButton);
    }

    void readoutGivesRawValues_data()
    {
        QTest::addColumn<int>("bpp");
        QTest::addColumn<QByteArray>("pixel");
        QTest::addColumn<QString>("readout");
        QTest::newRow("grey") << 1 << QByteArray("\xc8", 1) << "x 2, y 1: Grey 200, shown as #C8C8C8";
        QTest::newRow("565 red") << 2 << QByteArray("\x00\xf8", 2)
                                 << "x 2, y 1: R5 31, G6 0, B5 0 (0xF800), shown as #FF0000";
        QTest::newRow("565 grey") << 2 << QByteArray("\x10\x84", 2)
                                  << "x 2, y 1: R5 16, G6 32, B5 16 (0x8410), shown as #848284";
        QTest::newRow("888") << 3 << QByteArray("\x0a\x80\xff", 3)
                             << "x 2, y 1: R 10, G 128, B 255, shown as #0A80FF";
    }

    void readoutGivesRawValues()
    {
        QFETCH(int, bpp);
        QFETCH(QByteArray, pixel);
        QFETCH(QString, readout);
        ShownWindow ui;
        QByteArray pixels(4 * 3 * bpp, '\0');
        pixels.replace((4 + 2) * bpp, bpp, pixel);
        ui.deliver(1, receivedPicture(4, 3, bpp, pixels));
        PixelCanvas* canvas = openRow(ui, 0);
        QVERIFY(canvas);
        moveTo(canvas, over(canvas, 2, 1));
        QCOMPARE(textOf(ui, "labelReadout").section('\n', 0, 0), readout);
        moveTo(canvas, over(canvas, 1, 1));
        QVERIFY(!textOf(ui, "labelReadout").startsWith(readout));
    }

    // Every pixel of the screen shows the colour of the picture pixel it falls in, grid lines
    // aside: no smoothing, at any zoom and any screen scale.
    void pixelsStaySharp()
    {
        ShownWindow ui;
        QByteArray pixels;
        for (int i = 0; i < 40 * 30; ++i)
            pixels += char((i * 37 + i / 40 * 11) & 0xff);
        const QImage picture = receivedPicture(40, 30, 1, pixels);
        ui.deliver(1, picture);
        PixelCanvas* canvas = openRow(ui, 0);
        QVERIFY(canvas);
        QTest::keyClick(canvas, Qt::Key_0);
        for (const double zoom : {1.0, 2.0, 3.0, 6.0}) {
            canvas->zoomTo(zoom);
            const QImage screen = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const ViewTransform& view = canvas->transform();
            int checked = 0;
            for (int y = 0; y < screen.height(); y += 3)
                for (int x = 0; x < screen.width(); x += 3) {
                    const QPointF at = view.toImage(QPointF(x + 0.5, y + 0.5));
                    const QPoint p(int(std::floor(at.x())), int(std::floor(at.y())));
                    if (!picture.rect().contains(p))
                        continue;
                    ++checked;
                    if (screen.pixel(x, y) !=
                        qRgb(picture.pixelIndex(p), picture.pixelIndex(p), picture.pixelIndex(p)))
                        QFAIL(qPrintable(QString("zoom %1: screen %2,%3 is not picture pixel %4,%5")
                                             .arg(zoom)
                                             .arg(x)
                                             .arg(y)
                                             .arg(p.x())
                                             .arg(p.y())));
                }
            QVERIFY(checked > 40);
        }
    }

    void flickingKeepsViewAndRegion()
    {
        ShownWindow ui;
        ui.deliver(1, greyPicture(10));
        ui.deliver(2, greyPicture(10, QPoint(3, 2), 11));
        ui.deliver(3, greyPicture(40, QPoint(3, 2), 90));
        PixelCanvas* canvas = openRow(ui, 1);
        QVERIFY(canvas);
        ViewerWindow* viewer = viewerOf(ui);
        moveTo(canvas, over(canvas, 3, 2));
        QTest::keyClick(canvas, Qt::Key_Plus);
        QTest::keyClick(canvas, Qt::Key_Plus);
        dragRegion(canvas, QPoint(2, 1), QPoint(4, 3));
        QCOMPARE(canvas->region(), QRect(2, 1, 3, 3));
        // Eight of 10 and one of 11: mean 10.11, deviation sqrt(8/81).
        QCOMPARE(textOf(ui, "labelFigures"), QString("Region x 2, y 1, 3 by 3 pixels\n"
                                                     "Channel  Min  Max    Mean Std dev  Count\n"
                                                     "Grey      10   11   10.11    0.31      9"));
        const double zoom = canvas->transform().zoom();
        const QPointF origin = canvas->transform().origin();

        QTest::keyClick(canvas, Qt::Key_PageDown);
        QCOMPARE(viewer->windowTitle(), QString("Picture 3 (3 of 3) – viewer – KA Image Viewer"));
        QCOMPARE(canvas->region(), QRect(2, 1, 3, 3));
        QCOMPARE(canvas->transform().zoom(), zoom);
        QCOMPARE(canvas->transform().origin(), origin);
        QCOMPARE(textOf(ui, "labelFigures").section('\n', 2),
                 QString("Grey      40   90   45.56   15.71      9"));
        QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("Region x 2, y 1, 3 by 3 pixels\n"
                                                               "Channel\tMin\tMax\tMean\tStd dev\tCount\n"
                                                               "Grey\t40\t90\t45.56\t15.71\t9"));
        QTest::keyClick(canvas, Qt::Key_PageDown);
        QCOMPARE(viewer->windowTitle(), QString("Picture 3 (3 of 3) – viewer – KA Image Viewer"));

        // One level up at 3,2 from the first picture to the second: the difference shows it alone.
        QTest::keyClick(canvas, Qt::Key_PageUp);
        QTest::keyClick(canvas, Qt::Key_D);
        QCOMPARE(viewer->windowTitle(), QString("Picture 2 (2 of 3) – difference – KA Image Viewer"));
        const QImage screen = canvas->grab().toImage();
        const ViewTransform& view = canvas->transform();
        QCOMPARE(QColor(screen.pixel(view.toView(QPointF(3.5, 2.5)).toPoint())), QColor(96, 96, 96));
        QCOMPARE(QColor(screen.pixel(view.toView(QPointF(4.5, 2.5)).toPoint())), QColor(0, 0, 0));
        QCOMPARE(canvas->region(), QRect(2, 1, 3, 3));
        QTest::keyClick(canvas, Qt::Key_PageUp);
        QCOMPARE(textOf(ui, "labelDifference"), QString("No previous picture to compare with."));
        QTest::keyClick(canvas, Qt::Key_Escape);
        QCOMPARE(canvas->region(), QRect());
        QVERIFY(viewer->isVisible());
        QTest::keyClick(canvas, Qt::Key_Escape);
        QVERIFY(!viewer->isVisible());
    }

    void followsAndRecordsTheLiveView()
    {
        DeviceSimulator sim;
        const SimImage current = SimImage::pattern(0, 64, 48, 2);
        sim.setCurrentImage(current);
        sim.setCurrentStep(3);
        sim.setStoredImages({SimImage::pattern(1, 36, 24, 1)});
        QVERIFY2(sim.openPty(), qPrintable(sim.errorString()));
        const QString port = sim.portName();
        setPortListProvider([port] { return PortList{{port, "CP2102 USB to UART Bridge Controller"}}; });
        ShownWindow ui;
        QVERIFY(QTest::qWaitForWindowActive(&ui.window));
        auto* session = ui.window.findChild<LinkSession*>();
        QTest::mouseClick(ui.child<QPushButton>("buttonConnect"), Qt::LeftButton);
        // The stored picture in, and the transfer over: the current picture may be asked for.
        QTRY_COMPARE_WITH_TIMEOUT(ui.list()->count(), 1, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(session->isConnected() && !session->currentPictureRefusal(), kWaitMs);

        // Open on a stored picture, the viewer takes the current picture asked for in the main window.
        QVERIFY(openRow(ui, 0));
        ViewerWindow* viewer = viewerOf(ui);
        QCOMPARE(viewer->windowTitle(), QString("Picture 1 (1 of 1) – viewer – KA Image Viewer"));
        chooseFromMenu("Current picture from the device");
        emit ui.child("labelFrame")->customContextMenuRequested(QPoint(200, 200));
        QTRY_COMPARE_WITH_TIMEOUT(viewer->windowTitle(),
                                  QString("Current picture – viewer – KA Image Viewer"), kWaitMs);
        QCOMPARE(ui.caption(), QString("Current picture"));
        viewer->close();
        doubleClick(ui.child("labelFrame"), QPoint(200, 200));
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QCOMPARE(viewer->windowTitle(), QString("Current picture – viewer – KA Image Viewer"));

        const QString folder = ui.workDir.filePath("recording");
        QVERIFY(QDir().mkpath(folder));
        {
            DialogAnswer answer(folder);
            QTest::keyClick(canvasOf(ui), Qt::Key_R);
            QCOMPARE(answer.dialogs(), 1);
        }
        QCOMPARE(textOf(ui, "labelRecording"), "Recording into " + folder);
        const QImage before = canvasOf(ui)->grab().toImage();
        QTest::keyClick(canvasOf(ui), Qt::Key_F5, Qt::ShiftModifier);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + "/frame_000008.png"), kWaitMs);
        QCOMPARE(viewer->windowTitle(), QString("Current picture, live – viewer – KA Image Viewer"));
        QVERIFY(canvasOf(ui)->grab().toImage() != before);
        QTest::keyClick(canvasOf(ui), Qt::Key_R);
        QTest::keyClick(canvasOf(ui), Qt::Key_F5, Qt::ShiftModifier);
        const QRegularExpression stopped(
            "^Recording stopped: (\\d+) frames in [\\d.]+ s, [\\d.]+ per second, in (.*)$");
        const QRegularExpressionMatch said = stopped.match(textOf(ui, "labelRecording"));
        QVERIFY2(said.hasMatch(), qPrintable(textOf(ui, "labelRecording")));
        QCOMPARE(said.captured(2), folder);
        const int frames = said.captured(1).toInt();

        // Each frame the picture of the next answer, exact, at a later time.
        QFile csv(folder + "/frames.csv");
        QVERIFY(csv.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromLatin1(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), frames + 1);
        QCOMPARE(lines.first(), QString("file,time_ms,width,height,bytes_per_pixel"));
        const QImage first = rgb(QImage(folder + "/frame_000001.png", "PNG"));
        int answer = 0;
        while (answer < 200 && rgb(originalPicture(current.shifted(3 * answer).toQImage())) != first)
            ++answer;
        QVERIFY2(answer < 200, "the first frame is no picture the device sent");
        qint64 lastTime = -1;
        for (int i = 1; i <= frames; ++i, ++answer) {
            const QStringList fields = lines.at(i).split(',');
            QCOMPARE(fields.size(), 5);
            QCOMPARE(fields.at(0), QString("frame_%1.png").arg(i, 6, 10, QChar('0')));
            QVERIFY2(fields.at(1).toLongLong() > lastTime, qPrintable(lines.at(i)));
            lastTime = fields.at(1).toLongLong();
            QCOMPARE(fields.mid(2), (QStringList{"64", "48", "2"}));
            QCOMPARE(rgb(QImage(folder + "/" + fields.at(0), "PNG")),
                     rgb(originalPicture(current.shifted(3 * answer).toQImage())));
        }
        // A folder that holds a recording is not written over.
        {
            DialogAnswer again(folder);
            QTest::keyClick(canvasOf(ui), Qt::Key_R);
        }
        QVERIFY2(textOf(ui, "labelRecording").startsWith("Not recording: "),
                 qPrintable(textOf(ui, "labelRecording")));
        setPortListProvider(nullptr);
    }
};

QTEST_MAIN(TestViewer)
#include "tst_viewer.moc"
