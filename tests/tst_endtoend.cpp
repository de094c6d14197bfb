// The program as a user meets it: the real window with its worker thread and a real serial port,
// talking over a pseudo-terminal to the device simulator. Connect, the stored pictures, the
// preview, Export All, Disconnect, and a cable pulled in the middle of a transfer.
#include "app/fontfamilies.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "simimage.h"
#include "support/dialoganswer.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

#include <optional>

#define FIND_CHILD(var, Type, parent, name)                                                                  \
    Type* const var = (parent).findChild<Type*>(name);                                                       \
    QVERIFY2(var, "no child named " name)

namespace {

// Two noisy shared cores: every wait is generous, none is a measure of speed.
const int kWaitMs = 30000;
const QString kBridgeDescription = QStringLiteral("CP2102 USB to UART Bridge Controller");
const QStringList kInfoLines{QStringLiteral("KA-100"), QStringLiteral(" SN 0042 FW 2.1 "),
                             QStringLiteral("1024 images"), QStringLiteral("ok")};
const QList<QByteArray> kHandshake{"AT_INFO*", "AT_GSI**"};

// The saved area of the frame, and where the preview lies inside a saved picture.
const QRect kExportArea(58, 58, 372, 322);
const QSize kPreviewSize(360, 240);
const QRect kPreviewInFile(QPoint(6, 6), kPreviewSize);
const QRect kCaptionInFile(10, 277, 200, 40);
// JPEG at the writer's default quality smears the sharp bars of the pictures a little; a wrong
// picture in the file lies at twice these bounds or more.
const double kJpegPictureTolerance = 12.0;
const double kJpegFrameTolerance = 2.5;

// Indexes out of order; an odd row length (123 bytes) that the image memory pads to 124; and
// the real size of the preview in the two colour formats.
QList<SimImage> storedPictures()
{
    return {SimImage::pattern(5, 123, 77, 1), SimImage::pattern(7, 360, 240, 2),
            SimImage::pattern(2, 360, 240, 3)};
}

const QStringList kRowNumbers{"5", "7", "2"};

// The port that discovery finds. The provider runs on the window's worker thread while the
// test moves the simulator to a fresh pty on its own, hence the lock.
QMutex offerMutex;
QString offeredPort;

void offerPort(const QString& name)
{
    QMutexLocker lock(&offerMutex);
    offeredPort = name;
}

PortList offeredPorts()
{
    QMutexLocker lock(&offerMutex);
    if (offeredPort.isEmpty())
        return {};
    return {qMakePair(offeredPort, kBridgeDescription)};
}

QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// What the widget's area of the window shows, with everything behind and above it.
QImage onScreen(QWidget* widget)
{
    QWidget* window = widget->window();
    return rgb(window->grab(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())).toImage());
}

// The preview as it should look with the picture in it: the picture at its own size at the left
// edge, vertically centred the way the toolkit rounds it (half the label less half the picture),
// over what the empty preview showed.
QImage previewWith(const QImage& emptyPreview, const SimImage& picture)
{
    QImage expected = emptyPreview;
    QPainter painter(&expected);
    const int top = kPreviewSize.height() / 2 - picture.height / 2;
    painter.drawImage(QPoint(0, top), rgb(picture.toQImage()));
    return expected;
}

// The number each row shows: the row's label that has text.
QStringList rowNumbers(QListWidget* list)
{
    QStringList numbers;
    for (int row = 0; row < list->count(); ++row) {
        QString number = QStringLiteral("<no number>");
        if (QWidget* rowWidget = list->itemWidget(list->item(row))) {
            for (QLabel* label : rowWidget->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (!label->text().isEmpty())
                    number = label->text();
            }
        }
        numbers.append(number);
    }
    return numbers;
}

void clickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

// Mean difference per colour channel, skipping an optional hole.
double meanDifference(const QImage& a, const QImage& b, const QRect& hole = QRect())
{
    if (a.size() != b.size())
        return 255;
    double sum = 0;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (hole.contains(x, y))
                continue;
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
            count += 3;
        }
    return count ? sum / count : 0;
}

// The smallest rectangle that holds every pixel in which the two images differ.
QRect differingArea(const QImage& a, const QImage& b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                area |= QRect(x, y, 1, 1);
        }
    return area;
}

// A saved picture, only if it starts with the JPEG marker and decodes as JPEG.
QImage readJpeg(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xFF\xD8"))
        return QImage();
    return rgb(QImage::fromData(bytes, "JPEG"));
}

// One test's world: its own working directory, a simulator on a fresh pty with the three stored
// pictures, and the real window, shown so that clicks and grabs act as on screen. The window
// goes first, so its port closes before the simulator's pty.
struct Rig
{
    Rig()
    {
        sim.setInfoLines(kInfoLines);
        sim.setStoredImages(storedPictures());
        simOpen = sim.openPty();
        if (simOpen)
            offerPort(sim.portName());
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    ScopedWorkDir workDir;
    DeviceSimulator sim;
    MainWindow window;
    bool simOpen = false;
    bool exposed = false;
};

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void connectTransfersPreviewsAndExports();
    void disconnectByButtonKeepsListAndPreview();
    void cablePulledMidTransferThenReconnect();

private:
    void connectAndReceiveAll(Rig& rig);
};

void TestEndToEnd::initTestCase()
{
    loadFontFamilies();
    setPortListProvider(offeredPorts);
}

void TestEndToEnd::cleanupTestCase()
{
    setPortListProvider({});
}

void TestEndToEnd::cleanup()
{
    offerPort(QString());
}

// Click Connect and wait for the handshake and all three pictures.
void TestEndToEnd::connectAndReceiveAll(Rig& rig)
{
    QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
    QVERIFY(rig.exposed);
    FIND_CHILD(buttonConnect, QPushButton, rig.window, "buttonConnect");
    FIND_CHILD(labelStatusText, QLabel, rig.window, "labelStatusText");
    FIND_CHILD(labelDeviceInfo, QLabel, rig.window, "labelDeviceInfo");
    FIND_CHILD(listWidget, QListWidget, rig.window, "listWidget");

    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(labelStatusText->text(), QString("Connected"), kWaitMs);
    QCOMPARE(labelDeviceInfo->text(), kInfoLines.at(1));
    QCOMPARE(buttonConnect->text(), QString("Disconnect"));
    QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(listWidget), kRowNumbers, kWaitMs);
    QCOMPARE(rig.sim.commands(), kHandshake);
    QVERIFY(rig.sim.isPeerOpen());
}

void TestEndToEnd::connectTransfersPreviewsAndExports()
{
    Rig rig;
    FIND_CHILD(labelFrame, QLabel, rig.window, "labelFrame");
    FIND_CHILD(labelPreview, QLabel, rig.window, "labelPreview");
    FIND_CHILD(labelImageNumber, QLabel, rig.window, "labelImageNumber");
    FIND_CHILD(listWidget, QListWidget, rig.window, "listWidget");
    FIND_CHILD(buttonExportAll, QPushButton, rig.window, "buttonExportAll");
    QVERIFY(rig.exposed);
    const QImage emptyPreview = onScreen(labelPreview);
    QCOMPARE(emptyPreview.size(), kPreviewSize);

    connectAndReceiveAll(rig);
    if (QTest::currentTestFailed())
        return;

    // The last arrival is on show, exactly as the device sent it.
    const QList<SimImage> pictures = storedPictures();
    const SimImage& last = pictures.last();
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 2"));
    QCOMPARE(rgb(labelPreview->pixmap(Qt::ReturnByValue).toImage()), rgb(last.toQImage()));
    QCOMPARE(onScreen(labelPreview), previewWith(emptyPreview, last));

    // Each row shows its own picture; the short grey one sits at the left, vertically centred.
    for (int row = 0; row < pictures.size(); ++row) {
        clickRow(listWidget, row);
        QCOMPARE(labelImageNumber->text(), "Image Number. " + kRowNumbers.at(row));
        QCOMPARE(rgb(labelPreview->pixmap(Qt::ReturnByValue).toImage()), rgb(pictures.at(row).toQImage()));
        QCOMPARE(onScreen(labelPreview), previewWith(emptyPreview, pictures.at(row)));
    }

    const QString target = rig.workDir.filePath("export");
    QVERIFY(QDir().mkpath(target));
    {
        DialogAnswer answer([&target](QFileDialog* dialog) { acceptDirectory(dialog, target); });
        QTest::mouseClick(buttonExportAll, Qt::LeftButton);
        QCOMPARE(answer.dialogs(), 1);
        QCOMPARE(answer.strays(), QStringList());
    }
    QCOMPARE(QDir(target).entryList(QDir::Files, QDir::Name),
             QStringList({"Image_2.jpg", "Image_5.jpg", "Image_7.jpg"}));
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 2"));
    QCOMPARE(onScreen(labelPreview), previewWith(emptyPreview, last));

    // The frame area as the window shows each picture, caption included: what its file must hold.
    QList<QImage> shown;
    for (int row = 0; row < pictures.size(); ++row) {
        clickRow(listWidget, row);
        QCOMPARE(labelImageNumber->text(), "Image Number. " + kRowNumbers.at(row));
        shown.append(rgb(labelFrame->grab(kExportArea).toImage()));
    }

    for (int row = 0; row < pictures.size(); ++row) {
        const SimImage& picture = pictures.at(row);
        const QString path = target + "/Image_" + QString::number(picture.index) + ".jpg";
        const QImage saved = readJpeg(path);
        QVERIFY2(!saved.isNull(), qPrintable(path + " is no JPEG picture"));
        QCOMPARE(saved.size(), kExportArea.size());

        // The frame and the caption around the preview are those of this picture's view.
        const double aroundPreview = meanDifference(saved, shown.at(row), kPreviewInFile);
        QVERIFY2(aroundPreview <= kJpegFrameTolerance,
                 qPrintable(QString("%1: frame and caption differ by %2").arg(path).arg(aroundPreview)));

        for (int other = 0; other < pictures.size(); ++other) {
            // The preview area holds this picture and not another one.
            const double inPreview =
                meanDifference(saved.copy(kPreviewInFile), previewWith(emptyPreview, pictures.at(other)));
            if (other == row) {
                QVERIFY2(inPreview <= kJpegPictureTolerance,
                         qPrintable(QString("%1: the preview differs by %2").arg(path).arg(inPreview)));
                continue;
            }
            QVERIFY2(inPreview > kJpegPictureTolerance,
                     qPrintable(QString("%1 shows picture %2").arg(path).arg(pictures.at(other).index)));

            // Captions differ in a few pixels only: where they do, the file takes after its own.
            const QImage ownCaption = shown.at(row).copy(kCaptionInFile);
            const QImage otherCaption = shown.at(other).copy(kCaptionInFile);
            const QRect digits = differingArea(ownCaption, otherCaption);
            QVERIFY(!digits.isEmpty());
            const QImage savedDigits = saved.copy(kCaptionInFile).copy(digits);
            const double toOwn = meanDifference(savedDigits, ownCaption.copy(digits));
            const double toOther = meanDifference(savedDigits, otherCaption.copy(digits));
            QVERIFY2(toOwn < toOther, qPrintable(QString("%1 has the caption of picture %2 (%3 against %4)")
                                                     .arg(path)
                                                     .arg(pictures.at(other).index)
                                                     .arg(toOther)
                                                     .arg(toOwn)));
        }
    }
}

void TestEndToEnd::disconnectByButtonKeepsListAndPreview()
{
    Rig rig;
    FIND_CHILD(buttonConnect, QPushButton, rig.window, "buttonConnect");
    FIND_CHILD(labelStatusText, QLabel, rig.window, "labelStatusText");
    FIND_CHILD(labelDeviceInfo, QLabel, rig.window, "labelDeviceInfo");
    FIND_CHILD(labelPreview, QLabel, rig.window, "labelPreview");
    FIND_CHILD(labelImageNumber, QLabel, rig.window, "labelImageNumber");
    FIND_CHILD(listWidget, QListWidget, rig.window, "listWidget");
    QSignalSpy peerClosed(&rig.sim, &DeviceSimulator::peerClosed);
    QVERIFY(peerClosed.isValid());

    connectAndReceiveAll(rig);
    if (QTest::currentTestFailed())
        return;
    const QImage preview = onScreen(labelPreview);

    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(peerClosed.count(), 1, kWaitMs);
    QCOMPARE(rig.sim.commands(), kHandshake + QList<QByteArray>{"AT_DIS**"});
    QVERIFY(!rig.sim.isPeerOpen());
    QTRY_COMPARE_WITH_TIMEOUT(labelStatusText->text(), QString("Disonnected"), kWaitMs);
    QCOMPARE(labelDeviceInfo->text(), QString());
    QCOMPARE(buttonConnect->text(), QString("Connect"));

    QCOMPARE(rowNumbers(listWidget), kRowNumbers);
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 2"));
    QCOMPARE(onScreen(labelPreview), preview);
}

void TestEndToEnd::cablePulledMidTransferThenReconnect()
{
    Rig rig;
    QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
    QVERIFY(rig.exposed);
    FIND_CHILD(buttonConnect, QPushButton, rig.window, "buttonConnect");
    FIND_CHILD(labelStatusText, QLabel, rig.window, "labelStatusText");
    FIND_CHILD(labelDeviceInfo, QLabel, rig.window, "labelDeviceInfo");
    FIND_CHILD(labelPreview, QLabel, rig.window, "labelPreview");
    FIND_CHILD(labelImageNumber, QLabel, rig.window, "labelImageNumber");
    FIND_CHILD(listWidget, QListWidget, rig.window, "listWidget");
    const QImage emptyPreview = onScreen(labelPreview);
    const QList<SimImage> pictures = storedPictures();

    // The second picture stops 150000 of its 172800 pixel bytes in. That is more than a pty
    // holds unread, so once the simulator has written it all, the window's port has taken in
    // the picture's header and the device is part way through its pixels.
    const int cutAfter = 150000;
    QVERIFY(cutAfter < pictures.at(1).pixels.size());
    rig.sim.setCutShort(cutAfter, 1);
    // At the line's own rate, as through the real cable, the pull comes seconds after the
    // handshake. The handshake's 600 ms check is never cancelled, so a reconnect within it
    // could be cut off by the first connection's check.
    rig.sim.setPaced(true);
    QSignalSpy drained(&rig.sim, &DeviceSimulator::outputDrained);
    QVERIFY(drained.isValid());

    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(labelStatusText->text(), QString("Connected"), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(listWidget), QStringList{"5"}, kWaitMs);
    // Once for the information reply, once for the transfer.
    QTRY_COMPARE_WITH_TIMEOUT(drained.count(), 2, kWaitMs);
    QCOMPARE(rig.sim.commands(), kHandshake);

    rig.sim.hangUp();
    QTRY_COMPARE_WITH_TIMEOUT(labelStatusText->text(), QString("Disonnected"), kWaitMs);
    QCOMPARE(labelDeviceInfo->text(), QString());
    QCOMPARE(buttonConnect->text(), QString("Connect"));
    QCOMPARE(rowNumbers(listWidget), QStringList{"5"});
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 5"));

    // The cable goes back in: a new pty, a full transfer this time.
    rig.sim.setCutShort(std::nullopt);
    rig.sim.setPaced(false);
    QVERIFY2(rig.sim.openPty(), qPrintable(rig.sim.errorString()));
    offerPort(rig.sim.portName());
    QTest::mouseClick(buttonConnect, Qt::LeftButton);
    // The bytes of the cut picture's rest would swallow the handshake if the device still waited
    // for them.
    QTRY_COMPARE_WITH_TIMEOUT(labelStatusText->text(), QString("Connected"), kWaitMs);
    QCOMPARE(labelDeviceInfo->text(), kInfoLines.at(1));
    // Emptied first: the row from before the pull is gone.
    QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(listWidget), kRowNumbers, kWaitMs);
    QCOMPARE(rig.sim.commands(), kHandshake + kHandshake);

    QCOMPARE(labelImageNumber->text(), QString("Image Number. 2"));
    QCOMPARE(onScreen(labelPreview), previewWith(emptyPreview, pictures.last()));
    // Nothing of the cut picture got mixed into the new one.
    clickRow(listWidget, 1);
    QCOMPARE(labelImageNumber->text(), QString("Image Number. 7"));
    QCOMPARE(onScreen(labelPreview), previewWith(emptyPreview, pictures.at(1)));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
