// Export and Export All: which dialogs open, which files appear and what the saved pictures show.
#include "app/fontfamilies.h"
#include "support/debugcapture.h"
#include "support/dialoganswer.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QDirIterator>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kCaption = QStringLiteral("Image Number. ");
// The saved area of the frame, and where the preview and the caption lie inside a saved picture.
const QRect kExportArea(58, 58, 372, 322);
const QRect kPictureInFile(6, 6, 360, 240);
const QRect kCaptionInFile(10, 277, 200, 40);
// JPEG blurs the edges between flat areas; these bounds still tell one flat colour from another.
const int kFlatTolerance = 12;
const double kMeanTolerance = 2.5;

QImage flat(const QColor& color)
{
    QImage image(360, 240, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

void deliver(MainWindow& window, int index, const QImage& image)
{
    window.slotDeviceGotImage(index, new QImage(image));
}

QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// What the widget's area of the window shows.
QImage onScreen(QWidget* widget)
{
    QWidget* window = widget->window();
    return rgb(window->grab(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())).toImage());
}

// Every file below the directory, as sorted relative paths.
QStringList filesUnder(const QString& directory)
{
    QStringList files;
    QDirIterator it(directory, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(directory).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// Mean difference per colour channel over the area, skipping an optional hole.
double meanDifference(const QImage& a, const QImage& b, const QRect& hole = QRect())
{
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

int maxDeviation(const QImage& image, const QRect& area, const QColor& color)
{
    int worst = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            worst = qMax(worst, qMax(qAbs(qRed(p) - color.red()),
                                     qMax(qAbs(qGreen(p) - color.green()), qAbs(qBlue(p) - color.blue()))));
        }
    return worst;
}

// The frame picture around the preview, with the image in the preview: everything a saved
// picture holds apart from the caption.
QImage frameWith(const QImage& picture)
{
    QImage expected = rgb(QPixmap(":/image/frame").toImage().copy(kExportArea));
    QPainter painter(&expected);
    painter.drawImage(kPictureInFile.topLeft(), picture);
    return expected;
}

// Reads a saved picture only if it starts with the JPEG marker and decodes as JPEG.
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

// Checks a saved picture: a 372x322 JPEG of the frame with the flat-coloured image in the
// preview and, under it, the caption as the window shows it for that image.
void verifySaved(const QString& path, const QImage& picture, const QImage& caption)
{
    const QImage saved = readJpeg(path);
    QVERIFY2(!saved.isNull(), qPrintable(path + " is no JPEG picture"));
    QCOMPARE(saved.size(), kExportArea.size());
    QVERIFY2(maxDeviation(saved, kPictureInFile.adjusted(16, 16, -16, -16), picture.pixelColor(0, 0)) <=
                 kFlatTolerance,
             qPrintable(path + ": the preview does not show the image"));
    QVERIFY2(meanDifference(saved, frameWith(picture), kCaptionInFile) <= kMeanTolerance,
             qPrintable(path + ": the frame around the preview differs"));
    QVERIFY2(meanDifference(saved.copy(kCaptionInFile), caption) <= kMeanTolerance,
             qPrintable(path + ": the caption differs"));
}

// The window's widgets used here; the window is shown so that clicks and grabs act as on screen.
struct Ui
{
    explicit Ui(MainWindow& window)
        : list(window.findChild<QListWidget*>("listWidget")),
          preview(window.findChild<QLabel*>("labelPreview")),
          caption(window.findChild<QLabel*>("labelImageNumber")),
          buttonExport(window.findChild<QPushButton*>("buttonExport")),
          buttonExportAll(window.findChild<QPushButton*>("buttonExportAll"))
    {
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    bool ready() const { return exposed && list && preview && caption && buttonExport && buttonExportAll; }

    QImage previewImage() const
    {
        const QPixmap pixmap = preview->pixmap(Qt::ReturnByValue);
        return pixmap.isNull() ? QImage() : rgb(pixmap.toImage());
    }

    void clickRow(int row) const
    {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    QListWidget* list;
    QLabel* preview;
    QLabel* caption;
    QPushButton* buttonExport;
    QPushButton* buttonExportAll;
    bool exposed = false;
};

bool messageBoxShown()
{
    const QWidgetList widgets = QApplication::topLevelWidgets();
    return std::any_of(widgets.begin(), widgets.end(),
                       [](QWidget* w) { return w->isVisible() && qobject_cast<QMessageBox*>(w); });
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nothingToExportOpensNoDialog_data();
    void nothingToExportOpensNoDialog();
    void exportAllWritesOneFilePerIndex();
    void exportAllSameIndexKeepsLaterImage();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void exportWritesChosenName_data();
    void exportWritesChosenName();
    void failedSaveIsOnlyLogged();
};

void TestExport::initTestCase()
{
    loadFontFamilies();
}

void TestExport::nothingToExportOpensNoDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("emptiedByReconnect");
    QTest::newRow("export, nothing previewed") << "buttonExport" << false;
    QTest::newRow("export all, nothing stored") << "buttonExportAll" << false;
    QTest::newRow("export all, list emptied by reconnect") << "buttonExportAll" << true;
}

void TestExport::nothingToExportOpensNoDialog()
{
    QFETCH(QString, button);
    QFETCH(bool, emptiedByReconnect);
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    if (emptiedByReconnect) {
        deliver(window, 1, flat(Qt::red));
        window.slotDeviceConnect(true, 0, KaDeviceInfo{"l1", "l2", "l3", "l4"});
        QCOMPARE(ui.list->count(), 0);
        QVERIFY(!ui.previewImage().isNull());
    }

    DialogAnswer answer([](QFileDialog* dialog) { dialog->reject(); });
    QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(answer.dialogs(), 0);
    QCOMPARE(answer.strays(), QStringList());
    QCOMPARE(filesUnder(workDir.path()), QStringList());
}

void TestExport::exportAllWritesOneFilePerIndex()
{
    ScopedWorkDir workDir;
    QVERIFY(QDir(workDir.path()).mkdir("out"));
    const QString out = workDir.filePath("out");
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QImage red = flat(QColor(220, 40, 40));
    const QImage blue = flat(QColor(40, 60, 220));
    deliver(window, 5, red);
    deliver(window, 7, blue);
    ui.clickRow(0);
    QCOMPARE(ui.previewImage(), red);

    QString title;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool dirsOnly = false;
    DialogAnswer answer([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        mode = dialog->fileMode();
        dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        acceptDirectory(dialog, out);
    });
    QTest::mouseClick(ui.buttonExportAll, Qt::LeftButton);

    QCOMPARE(answer.dialogs(), 1);
    QCOMPARE(answer.strays(), QStringList());
    QCOMPARE(title, QString("Choose Directory to Save Images"));
    // Only directories can be picked, and only directories are listed.
    QVERIFY(mode != QFileDialog::AnyFile && mode != QFileDialog::ExistingFile &&
            mode != QFileDialog::ExistingFiles);
    QVERIFY(dirsOnly);
    QCOMPARE(filesUnder(workDir.path()), QStringList({"out/Image_5.jpg", "out/Image_7.jpg"}));
    QTRY_VERIFY(window.findChildren<QFileDialog*>().isEmpty());

    // The walk through the list ends on its last image.
    QCOMPARE(ui.previewImage(), blue);
    QCOMPARE(ui.caption->text(), kCaption + "7");

    const QImage caption7 = onScreen(ui.caption);
    ui.clickRow(0);
    const QImage caption5 = onScreen(ui.caption);
    verifySaved(out + "/Image_5.jpg", red, caption5);
    if (QTest::currentTestFailed())
        return;
    verifySaved(out + "/Image_7.jpg", blue, caption7);
    if (QTest::currentTestFailed())
        return;

    // Where the two captions differ, each file shows its own number.
    QRect digits;
    for (int y = 0; y < caption5.height(); ++y)
        for (int x = 0; x < caption5.width(); ++x)
            if (caption5.pixel(x, y) != caption7.pixel(x, y))
                digits |= QRect(x, y, 1, 1);
    QVERIFY(!digits.isEmpty());
    const QImage saved5 = readJpeg(out + "/Image_5.jpg").copy(kCaptionInFile).copy(digits);
    const QImage saved7 = readJpeg(out + "/Image_7.jpg").copy(kCaptionInFile).copy(digits);
    QVERIFY(meanDifference(saved5, caption5.copy(digits)) < meanDifference(saved5, caption7.copy(digits)));
    QVERIFY(meanDifference(saved7, caption7.copy(digits)) < meanDifference(saved7, caption5.copy(digits)));
}

void TestExport::exportAllSameIndexKeepsLaterImage()
{
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QImage red = flat(QColor(220, 40, 40));
    const QImage green = flat(QColor(40, 200, 60));
    deliver(window, 3, red);
    deliver(window, 3, green);

    DialogAnswer answer([&](QFileDialog* dialog) { acceptDirectory(dialog, workDir.path()); });
    QTest::mouseClick(ui.buttonExportAll, Qt::LeftButton);
    QCOMPARE(answer.dialogs(), 1);
    QCOMPARE(filesUnder(workDir.path()), QStringList("Image_3.jpg"));
    verifySaved(workDir.filePath("Image_3.jpg"), green, onScreen(ui.caption));
}

void TestExport::cancelWritesNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("export") << "buttonExport";
    QTest::newRow("export all") << "buttonExportAll";
}

void TestExport::cancelWritesNothing()
{
    QFETCH(QString, button);
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QImage red = flat(Qt::red);
    deliver(window, 1, red);
    deliver(window, 2, flat(Qt::blue));
    ui.clickRow(0);

    DialogAnswer answer([](QFileDialog* dialog) { dialog->reject(); });
    QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(answer.dialogs(), 1);
    QCOMPARE(answer.strays(), QStringList());
    QCOMPARE(filesUnder(workDir.path()), QStringList());
    QCOMPARE(ui.previewImage(), red);
    QCOMPARE(ui.caption->text(), kCaption + "1");
    QTRY_VERIFY(window.findChildren<QFileDialog*>().isEmpty());
}

void TestExport::exportWritesChosenName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("arrivalWhileOpen");
    QTest::newRow("name with suffix") << "shot.jpg"
                                      << "shot.jpg" << false;
    QTest::newRow("name without suffix") << "shot"
                                         << "shot.jpg" << false;
    QTest::newRow("image arriving while open") << "late.jpg"
                                               << "late.jpg" << true;
}

void TestExport::exportWritesChosenName()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(bool, arrivalWhileOpen);
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    deliver(window, 1, flat(Qt::red));
    deliver(window, 2, flat(Qt::blue));
    ui.clickRow(0);
    // The newest arrival is previewed, not the highlighted row.
    QImage expected = flat(QColor(40, 200, 60));
    deliver(window, 3, expected);

    DialogAnswer answer([&](QFileDialog* dialog) {
        if (arrivalWhileOpen) {
            expected = flat(QColor(230, 200, 30));
            deliver(window, 4, expected);
        }
        acceptFileName(dialog, workDir.filePath(typed));
    });
    QTest::mouseClick(ui.buttonExport, Qt::LeftButton);
    QCOMPARE(answer.dialogs(), 1);
    QCOMPARE(answer.strays(), QStringList());
    QCOMPARE(filesUnder(workDir.path()), QStringList(written));
    verifySaved(workDir.filePath(written), expected, onScreen(ui.caption));
}

void TestExport::failedSaveIsOnlyLogged()
{
    ScopedWorkDir workDir;
    // A plain file where a directory is expected makes the place unwritable for any user.
    QFile blocker(workDir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("x");
    blocker.close();
    const QString target = workDir.filePath("blocker/shot.jpg");

    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());
    deliver(window, 1, flat(Qt::red));

    DebugCapture debug;
    DialogAnswer answer([&](QFileDialog* dialog) { acceptFileName(dialog, target); });
    QTest::mouseClick(ui.buttonExport, Qt::LeftButton);
    QCOMPARE(answer.dialogs(), 1);
    QCOMPARE(answer.strays(), QStringList());
    QVERIFY(!messageBoxShown());
    QCOMPARE(filesUnder(workDir.path()), QStringList("blocker"));
    const QStringList lines = debug.lines();
    QVERIFY2(
        std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.contains(target); }),
        qPrintable("no debug line names " + target + ": " + lines.join(" | ")));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
