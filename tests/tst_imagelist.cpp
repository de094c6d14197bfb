// The thumbnail list, the large preview and the export of what the preview shows: rows and
// pictures one to one after arrivals, clicks and a reconnect, and the files Export, Export All and
// Save original write through the real file dialogs: what they never replace unasked, the folder
// they open in, and a long Export All.
#include "core/picturestore.h"
#include "support/dialoganswer.h"
#include "support/shownwindow.h"
#include "ui/session/linksession.h"
#include "ui/window/fontfamilies.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

namespace {

// Every pixel differs from its neighbours, so a shifted or scaled picture no longer compares equal.
QImage pattern(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 40 + 100 * (x / 256) + 50 * (y / 256)));
    return image;
}

QImage flat(int hue)
{
    QImage image(360, 240, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(hue, 200, 200));
    return image;
}

// A row as the list shows it: the number at the left, the thumbnail from x = 50.
QImage rowOnScreen(QListWidget* list, int row)
{
    return rgb(list->viewport()->grab(list->visualItemRect(list->item(row))).toImage());
}

// What an export wrote, without the settings file beside it.
QStringList picturesIn(const QString& folder)
{
    return QDir(folder).entryList({"*.jpg", "*.png"}, QDir::Files | QDir::Hidden);
}

// Runs one of the four commands that write files, as the user starts it.
void runCommand(ShownWindow& rig, const QString& command)
{
    if (command == "export")
        QTest::mouseClick(rig.window.findChild<QPushButton*>("buttonExport"), Qt::LeftButton);
    else if (command == "export all")
        QTest::mouseClick(rig.window.findChild<QPushButton*>("buttonExportAll"), Qt::LeftButton);
    else if (command == "original")
        rig.window.slotSaveOriginal();
    else
        rig.window.slotSaveAllOriginals();
}

} // namespace

class TestImageList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }
    void rowsAndPreviewFollowArrivalsAndClicks();
    void keysMoveSelectionAndPreview();
    void thumbnailFitsItsArea_data();
    void thumbnailFitsItsArea();
    void previewOfLargePictureKeepsWhatItShows_data();
    void previewOfLargePictureKeepsWhatItShows();
    void rowsFollowArrivalsAcrossBatches();
    void reconnectEmptiesListAndKeepsPreview();
    void longListScrollsByWholeRows();
    void exportWritesWhatIsChosen_data();
    void exportWritesWhatIsChosen();
    void failedExportIsReported();
    void nothingIsReplacedWithoutAYes_data();
    void nothingIsReplacedWithoutAYes();
    void dialogsOpenInTheFolderUsedLast();
    void longExportAllShowsProgressAndHoldsCommands();
};

void TestImageList::rowsAndPreviewFollowArrivalsAndClicks()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);

    // Out of order and one index twice: each row keeps its own number and image.
    const QList<int> indexes{7, 2, 7};
    QList<QImage> images;
    for (int i = 0; i < indexes.size(); ++i) {
        images.append(flat(120 * i));
        rig.deliver(indexes.at(i), images.last());
        QCOMPARE(rig.preview(), images.last());
        QCOMPARE(rig.caption(), "Image Number. " + QString::number(indexes.at(i)));
    }
    QCOMPARE(rowNumbers(rig.list()), QStringList({"7", "2", "7"}));
    for (int row = 0; row < indexes.size(); ++row)
        QCOMPARE(rowOnScreen(rig.list(), row).pixel(105, 50), images.at(row).pixel(0, 0));

    for (int row : {0, 1, 2, 0}) {
        clickRow(rig.list(), row);
        QCOMPARE(rig.preview(), images.at(row));
        QCOMPARE(rig.caption(), "Image Number. " + QString::number(indexes.at(row)));
    }

    // An arrival takes the preview back from the clicked row.
    rig.deliver(9, flat(300));
    QCOMPARE(rig.preview(), flat(300));
    QCOMPARE(rig.caption(), QString("Image Number. 9"));
}

// The keys move the current row as a click would, and the preview follows it.
void TestImageList::keysMoveSelectionAndPreview()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    QList<QImage> images;
    for (int i = 0; i < 9; ++i) {
        images.append(flat(30 * i));
        rig.deliver(100 + i, images.last());
    }
    QListWidget* list = rig.list();
    // Taking the focus makes a row current; what the preview shows stays.
    rig.child<QPushButton>("buttonConnect")->setFocus(Qt::TabFocusReason);
    list->setFocus(Qt::ActiveWindowFocusReason);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(rig.preview(), images.last());
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(list, key);
        const int row = list->currentRow();
        QVERIFY(row >= 0 && list->item(row)->isSelected());
        QCOMPARE(rig.preview(), images.at(row));
        QCOMPARE(rig.caption(), "Image Number. " + QString::number(100 + row));
    };
    press(Qt::Key_Home);
    QCOMPARE(list->currentRow(), 0);
    press(Qt::Key_Down);
    QCOMPARE(list->currentRow(), 1);
    press(Qt::Key_End);
    QCOMPARE(list->currentRow(), 8);
    press(Qt::Key_Up);
    QCOMPARE(list->currentRow(), 7);
    press(Qt::Key_PageUp);
    const int pageUp = list->currentRow();
    QVERIFY(pageUp < 6);
    press(Qt::Key_PageDown);
    QVERIFY(list->currentRow() > pageUp + 1);

    // A click on the current row, after an arrival took the preview, shows that row again.
    const int current = list->currentRow();
    rig.deliver(200, flat(250));
    QCOMPARE(rig.preview(), flat(250));
    clickRow(list, current);
    QCOMPARE(rig.preview(), images.at(current));
}

void TestImageList::thumbnailFitsItsArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("thumbnail");
    QTest::newRow("landscape fills the width") << QSize(360, 240) << QSize(110, 74);
    QTest::newRow("portrait fills the height") << QSize(220, 600) << QSize(37, 100);
    QTest::newRow("nearly square fills the height") << QSize(105, 100) << QSize(105, 100);
    QTest::newRow("1 pixel wide, 44000 tall") << QSize(1, 44000) << QSize(1, 100);
}

void TestImageList::thumbnailFitsItsArea()
{
    QFETCH(QSize, size);
    QFETCH(QSize, thumbnail);
    ShownWindow rig;
    QVERIFY(rig.exposed);
    rig.deliver(1, pattern(size));
    const QPixmap shown = rig.list()->item(0)->data(Qt::DecorationRole).value<QPixmap>();
    QCOMPARE(shown.size(), thumbnail);
    // Whole, right of the number, centred in the row's height.
    const QPoint at(50, (100 - thumbnail.height()) / 2);
    QCOMPARE(rowOnScreen(rig.list(), 0).copy(QRect(at, thumbnail)), rgb(shown.toImage()));
}

void TestImageList::previewOfLargePictureKeepsWhatItShows_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("a little larger") << QSize(500, 300);
    QTest::newRow("1000 square") << QSize(1000, 1000);
    QTest::newRow("1 pixel wide, 44000 tall") << QSize(1, 44000);
}

// The preview shows a larger picture's left edge and the middle of its height, as a label places
// it, and keeps only that part: a pixmap of all of it would take 4 bytes for every pixel.
void TestImageList::previewOfLargePictureKeepsWhatItShows()
{
    QFETCH(QSize, size);
    ShownWindow rig;
    QVERIFY(rig.exposed);
    rig.deliver(3, pattern(size));
    const QRect shown(0, size.height() / 2 - 120, qMin(size.width(), 360), 240);
    const QImage expected = pattern(size).copy(shown);
    QCOMPARE(rig.preview(), expected);
    QCOMPARE(onScreen(rig.child("labelPreview")).copy(QRect(QPoint(0, 0), shown.size())), expected);
}

// However arrivals are split into batches, and whichever a reconnect drops, each row keeps its own
// number and picture, in the order they came.
void TestImageList::rowsFollowArrivalsAcrossBatches()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    const auto arrive = [&rig](int index) { rig.window.slotDeviceGotImage(index, new QImage(flat(index))); };
    const auto turn = [&rig] { nextTurn(rig.window); };
    arrive(1);
    turn();
    arrive(2); // still queued when the reconnect comes
    rig.window.findChild<LinkSession*>()->deviceConnected(true, 0, KaDeviceInfo{"l1", "l2", "l3", "l4"});
    const QList<int> indexes{30, 60, 90, 120, 150, 180};
    for (int index : indexes) {
        arrive(index);
        if (index == 60 || index == 90)
            turn();
    }
    QTRY_COMPARE_WITH_TIMEOUT(rig.list()->count(), indexes.size(), 30000);
    QCOMPARE(rowNumbers(rig.list()), QStringList({"30", "60", "90", "120", "150", "180"}));
    QCOMPARE(rig.preview(), flat(180));
    for (int row = 0; row < indexes.size(); ++row) {
        clickRow(rig.list(), row);
        QCOMPARE(rig.preview(), flat(indexes.at(row)));
        QCOMPARE(rowOnScreen(rig.list(), row).pixel(105, 50), flat(indexes.at(row)).pixel(0, 0));
    }

    // Ever more at once, until one turn's time is not enough: the rest follow on later turns.
    int sent = indexes.size();
    for (int more = 1; rig.list()->count() == sent; more *= 2) {
        for (int i = 0; i < more; ++i)
            arrive(++sent % 360);
        turn();
    }
    QTRY_COMPARE_WITH_TIMEOUT(rig.list()->count(), sent, 30000);
}

void TestImageList::reconnectEmptiesListAndKeepsPreview()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    rig.deliver(4, flat(0));
    rig.deliver(9, flat(120));

    rig.window.findChild<LinkSession*>()->deviceConnected(true, 0, KaDeviceInfo{"l1", "l2", "l3", "l4"});
    QCOMPARE(rig.list()->count(), 0);
    QCOMPARE(rig.preview(), flat(120));
    QCOMPARE(rig.caption(), QString("Image Number. 9"));

    // Later arrivals start afresh: the first row previews the new image, not an old one.
    rig.deliver(1, flat(240));
    rig.deliver(2, flat(60));
    QCOMPARE(rowNumbers(rig.list()), QStringList({"1", "2"}));
    clickRow(rig.list(), 0);
    QCOMPARE(rig.preview(), flat(240));
}

// The list places rows by their number alone: after keys, scrolling and a reconnect, the rows in
// view are whole from the top, and what is clicked is what is shown.
void TestImageList::longListScrollsByWholeRows()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    QListWidget* list = rig.list();
    for (int i = 1; i <= 12; ++i)
        rig.deliver(i, flat(25 * i));
    const auto topRow = [list] { return list->indexAt(QPoint(10, 1)).row(); };
    // The selection is painted on the row it belongs to, wherever the list is scrolled.
    const auto background = [list](int row) { return rowOnScreen(list, row).pixel(5, 5); };
    const QRgb plain = background(0);
    clickRow(list, 0);
    const QRgb selected = background(0);
    QVERIFY(selected != plain);
    QCOMPARE(background(1), plain);
    // Three rows fit wholly; a fourth key press scrolls by one row, a page moves by two rows.
    for (int down = 0; down < 3; ++down)
        QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 3);
    QCOMPARE(topRow(), 1);
    QCOMPARE(background(3), selected);
    QCOMPARE(background(1), plain);
    QTest::keyClick(list, Qt::Key_PageDown);
    QCOMPARE(list->currentRow(), 5);
    QCOMPARE(topRow(), 3);
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(topRow(), 9);
    QCOMPARE(list->visualItemRect(list->item(11)), QRect(0, 200, 180, 100));
    QCOMPARE(list->indexAt(QPoint(10, 310)), QModelIndex()); // below the last row
    QCOMPARE(list->indexAt(QPoint(180, 150)).row(), -1);     // right of the rows
    list->scrollToItem(list->item(6), QAbstractItemView::PositionAtCenter);
    QCOMPARE(topRow(), 5);
    list->scrollToItem(list->item(1));
    QCOMPARE(topRow(), 1);
    QCOMPARE(rowOnScreen(list, 2).pixel(105, 50), flat(75).pixel(0, 0));
    clickRow(list, 11);
    QCOMPARE(topRow(), 9);
    QCOMPARE(rig.preview(), flat(300));
    QCOMPARE(rgb(list->viewport()->grab(QRect(0, 100, 180, 100)).toImage()), rowOnScreen(list, 10));

    // A turn of the wheel scrolls three whole rows.
    list->scrollToItem(list->item(0));
    QWheelEvent wheel(QPointF(50, 50), QPointF(list->viewport()->mapToGlobal(QPoint(50, 50))), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list->viewport(), &wheel);
    QCOMPARE(topRow(), 3);

    rig.window.findChild<LinkSession*>()->deviceConnected(true, 0, KaDeviceInfo{"l1", "l2", "l3", "l4"});
    rig.deliver(1, flat(0));
    QCOMPARE(topRow(), 0);
    QCOMPARE(list->visualItemRect(list->item(0)), QRect(0, 0, 180, 100));
}

void TestImageList::exportWritesWhatIsChosen_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("indexes"); // of the pictures received, in order
    QTest::addColumn<QString>("typed");      // into the dialog, in the working directory; empty cancels
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<int>>("rows"); // the row each file holds

    const QList<int> two{7, 5};
    const QStringList none;
    QTest::newRow("export, nothing previewed") << "export" << QList<int>() << "x.jpg" << none << QList<int>();
    QTest::newRow("export all, empty list") << "export all" << QList<int>() << "." << none << QList<int>();
    QTest::newRow("export cancelled") << "export" << two << "" << none << QList<int>();
    QTest::newRow("export all cancelled") << "export all" << two << "" << none << QList<int>();
    QTest::newRow("export with suffix")
        << "export" << two << "shot.jpg" << QStringList("shot.jpg") << QList<int>{0};
    QTest::newRow("export without suffix")
        << "export" << two << "shot" << QStringList("shot.jpg") << QList<int>{0};
    QTest::newRow("original") << "original" << two << "o.png" << QStringList("o.png") << QList<int>{0};
    QTest::newRow("export all") << "export all" << two << "." << QStringList({"Image_5.jpg", "Image_7.jpg"})
                                << QList<int>{1, 0};
    // A number that came before gets a name of its own: no picture is lost.
    QTest::newRow("export all, a number twice")
        << "export all" << QList<int>{7, 5, 7, 7} << "."
        << QStringList({"Image_5.jpg", "Image_7.jpg", "Image_7_2.jpg", "Image_7_3.jpg"})
        << QList<int>{1, 0, 2, 3};
    QTest::newRow("all originals, a number twice")
        << "all originals" << QList<int>{7, 7} << "." << QStringList({"Image_7.png", "Image_7_2.png"})
        << QList<int>{0, 1};
}

void TestImageList::exportWritesWhatIsChosen()
{
    QFETCH(QString, command);
    QFETCH(QList<int>, indexes);
    QFETCH(QString, typed);
    QFETCH(QStringList, files);
    QFETCH(QList<int>, rows);
    ShownWindow rig;
    QVERIFY(rig.exposed);
    for (int i = 0; i < indexes.size(); ++i)
        rig.deliver(indexes.at(i), flat(90 * i));
    // Export saves the picture on show, here the first row's rather than the last received.
    if (!indexes.isEmpty())
        clickRow(rig.list(), 0);

    {
        DialogAnswer answer(typed.isEmpty() ? QString() : rig.workDir.filePath(typed));
        // What is written is taken at the command, not when the dialog closes.
        answer.whileOpen([&rig] { rig.deliver(99, flat(300)); });
        runCommand(rig, command);
        // No picture, no dialog.
        QCOMPARE(answer.dialogs(), indexes.isEmpty() ? 0 : 1);
        QCOMPARE(answer.strays(), QStringList());
    }
    QCOMPARE(picturesIn(rig.workDir.path()), files);
    // What a folder command wrote is marked saved in the store; the picture that came meanwhile is not.
    const PictureStore* store = rig.window.findChild<PictureStore*>();
    const bool folderCommand = command.endsWith(" all") || command == "all originals";
    for (int row = 0; row < store->count(); ++row)
        QCOMPARE(store->at(row).saved, folderCommand && rows.contains(row));
    for (int i = 0; i < files.size(); ++i) {
        const QString path = rig.workDir.filePath(files.at(i));
        if (path.endsWith(".png"))
            QCOMPARE(rgb(QImage(path, "PNG")), flat(90 * rows.at(i)));
        else
            verifyExported(path, rig.exportView(rows.at(i)));
    }
}

// The user is told which file could not be written and why; nothing else is written.
void TestImageList::failedExportIsReported()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    rig.deliver(1, flat(0));
    // A plain file where a directory is expected makes the place unwritable for any user.
    QFile blocker(rig.workDir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString target = rig.workDir.filePath("blocker/shot.jpg");

    DialogAnswer answer(target);
    QTest::mouseClick(rig.window.findChild<QPushButton*>("buttonExport"), Qt::LeftButton);
    QCOMPARE(answer.dialogs(), 1);
    QCOMPARE(answer.strays().size(), 1);
    QVERIFY2(
        answer.strays().first().startsWith("QMessageBox \"Export failed\": The file could not be saved:\n" +
                                           QDir::toNativeSeparators(target) + ": "),
        qPrintable(answer.strays().first()));
    QCOMPARE(QDir(rig.workDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"blocker", "kalocfg.ini"}));
}

void TestImageList::nothingIsReplacedWithoutAYes_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("existing"); // a file there before
    QTest::addColumn<QString>("typed");    // a name, or the folder for the two folder commands
    QTest::addColumn<QString>("reply");    // to the question; none rejects it
    QTest::addColumn<QStringList>("written");
    const QString pics = "<i>pics</i>"; // a folder name the question must show as it is
    QTest::newRow("export, suffix added, no") << "export"
                                              << "shot.jpg"
                                              << "shot"
                                              << "" << QStringList();
    QTest::newRow("export, suffix added, yes") << "export"
                                               << "shot.jpg"
                                               << "shot"
                                               << "Yes" << QStringList("shot.jpg");
    QTest::newRow("export, unknown suffix, no") << "export"
                                                << "a.v2.jpg"
                                                << "a.v2"
                                                << "" << QStringList();
    QTest::newRow("original, suffix added, no") << "original"
                                                << "orig.png"
                                                << "orig"
                                                << "" << QStringList();
    QTest::newRow("export all, cancelled")
        << "export all" << pics + "/Image_5.jpg" << pics << "" << QStringList();
    QTest::newRow("export all, keep")
        << "export all" << pics + "/Image_5.jpg" << pics << "Keep them" << QStringList("Image_7.jpg");
    QTest::newRow("all originals, replace") << "all originals" << pics + "/Image_5.png" << pics << "Replace"
                                            << QStringList({"Image_5.png", "Image_7.png"});
}

// A replaced file holds the new picture; every other file there keeps its bytes.
void TestImageList::nothingIsReplacedWithoutAYes()
{
    QFETCH(QString, command);
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    QFETCH(QString, reply);
    QFETCH(QStringList, written);
    ShownWindow rig;
    rig.deliver(7, flat(0));
    rig.deliver(5, flat(90));
    const QFileInfo old(rig.workDir.filePath(existing));
    QFile file(old.filePath());
    QVERIFY(QDir().mkpath(old.path()) && file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();

    DialogAnswer answer(rig.workDir.filePath(typed));
    answer.reply(reply);
    runCommand(rig, command);
    const QString told = (reply.isEmpty() ? answer.strays() : answer.questions()).value(0);
    QVERIFY2(told.contains(command.contains("all") ? old.path() + ":\n" + old.fileName()
                                                   : old.fileName() + " already exists."),
             qPrintable(told));
    QStringList names = written + QStringList(old.fileName());
    names.removeDuplicates();
    names.sort();
    QCOMPARE(picturesIn(old.path()), names);
    for (const QString& name : names) {
        QFile saved(old.dir().filePath(name));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll() == "old", !written.contains(name));
    }
}

// One folder is remembered for all four commands, beside the language in the settings file.
void TestImageList::dialogsOpenInTheFolderUsedLast()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    QTest::mouseClick(rig.window.findChild<QPushButton*>("buttonCh"), Qt::LeftButton);
    rig.deliver(3, flat(0));
    const QString work = QDir::currentPath();
    for (const char* sub : {"a", "b"})
        QVERIFY(QDir(work).mkdir(sub));

    const auto use = [&rig](const QString& command, const QString& path) {
        DialogAnswer answer(path);
        runCommand(rig, command);
        return answer.folders().value(0) + (answer.strays().isEmpty() ? "" : " " + answer.strays().join('|'));
    };
    // A file holding only the language: the working folder.
    QCOMPARE(use("export", work + "/a/shot"), work);
    QCOMPARE(use("original", work + "/a/orig"), work + "/a");
    QCOMPARE(use("export all", work + "/b"), work + "/a");
    QCOMPARE(use("all originals", work + "/b"), work + "/b");
    QCOMPARE(picturesIn(work + "/a"), QStringList({"orig.png", "shot.jpg"}));
    QCOMPARE(picturesIn(work + "/b"), QStringList({"Image_3.jpg", "Image_3.png"}));
    QCOMPARE(rig.window.findChild<QPushButton*>("buttonExport")->text(), QString::fromUtf8("导出"));

    // A folder that is gone: the working folder again.
    QVERIFY(QDir(work + "/b").removeRecursively());
    QCOMPARE(use("export", QString()), work);
}

// Past about half a second a progress dialog counts the files and can cancel the rest; meanwhile
// the other commands open no dialog.
void TestImageList::longExportAllShowsProgressAndHoldsCommands()
{
    // Enough files to outlast the half second on a fast machine too; one shared picture keeps the
    // memory small.
    const int count = 2000;
    ShownWindow rig;
    QVERIFY(rig.exposed);
    const QImage picture = flat(120);
    for (int index = 1; index <= count; ++index)
        rig.window.slotDeviceGotImage(index, new QImage(picture));
    QTRY_COMPARE_WITH_TIMEOUT(rig.list()->count(), count, 30000);

    DialogAnswer answer(rig.workDir.path());
    QString shown;
    int dialogsMeanwhile = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* progress = rig.window.findChild<QProgressDialog*>();
        if (!progress || !progress->isVisible() || progress->wasCanceled())
            return;
        shown = progress->labelText();
        for (const char* command : {"export", "export all", "original", "all originals"})
            runCommand(rig, command);
        dialogsMeanwhile = answer.dialogs();
        progress->cancel();
    });
    watch.start(20);
    runCommand(rig, "export all");
    watch.stop();

    const QRegularExpressionMatch match = QRegularExpression("^Saving (\\d+) of 2000$").match(shown);
    QVERIFY2(match.hasMatch(), qPrintable(shown));
    QCOMPARE(dialogsMeanwhile, 1);
    QCOMPARE(answer.strays(), QStringList());
    const int saved = picturesIn(rig.workDir.path()).size();
    QVERIFY2(saved >= match.captured(1).toInt() - 1 && saved < count, qPrintable(QString::number(saved)));
}

QTEST_MAIN(TestImageList)
#include "tst_imagelist.moc"
