// The thumbnail list, the large preview and the export of what the preview shows: rows and
// pictures one to one after arrivals, clicks and a reconnect, and the files Export and Export All
// write through the real file dialogs.
#include "app/fontfamilies.h"
#include "support/dialoganswer.h"
#include "support/shownwindow.h"

#include <QPushButton>
#include <QtTest>

namespace {

QImage flat(int hue)
{
    QImage image(360, 240, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(hue, 200, 200));
    return image;
}

} // namespace

class TestImageList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }
    void rowsAndPreviewFollowArrivalsAndClicks();
    void reconnectEmptiesListAndKeepsPreview();
    void exportWritesWhatIsChosen_data();
    void exportWritesWhatIsChosen();
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
    for (int row = 0; row < indexes.size(); ++row) {
        QLabel* thumbnail = rowLabel(rig.list(), row, false);
        QVERIFY(thumbnail);
        QCOMPARE(onScreen(thumbnail).pixel(55, 50), images.at(row).pixel(0, 0));
    }

    for (int row : {0, 1, 2, 0}) {
        clickRow(rig.list(), row);
        QCOMPARE(rig.preview(), images.at(row));
        QCOMPARE(rig.caption(), "Image Number. " + QString::number(indexes.at(row)));
    }

    // Keys move the highlight only.
    QTest::keyClick(rig.list(), Qt::Key_Down);
    QCOMPARE(rig.list()->currentRow(), 1);
    QCOMPARE(rig.preview(), images.at(0));

    // An arrival takes the preview back from the clicked row.
    rig.deliver(9, flat(300));
    QCOMPARE(rig.preview(), flat(300));
    QCOMPARE(rig.caption(), QString("Image Number. 9"));
}

void TestImageList::reconnectEmptiesListAndKeepsPreview()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    rig.deliver(4, flat(0));
    rig.deliver(9, flat(120));

    rig.window.slotDeviceConnect(true, 0, KaDeviceInfo{"l1", "l2", "l3", "l4"});
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

void TestImageList::exportWritesWhatIsChosen_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("indexes"); // of the pictures received, in order
    QTest::addColumn<QString>("typed");      // into the dialog, in the working directory; empty cancels
    QTest::addColumn<QStringList>("files");

    const QList<int> two{7, 5};
    const QStringList none;
    QTest::newRow("export, nothing previewed") << "buttonExport" << QList<int>() << "x.jpg" << none;
    QTest::newRow("export all, empty list") << "buttonExportAll" << QList<int>() << "." << none;
    QTest::newRow("export cancelled") << "buttonExport" << two << "" << none;
    QTest::newRow("export all cancelled") << "buttonExportAll" << two << "" << none;
    QTest::newRow("export with suffix") << "buttonExport" << two << "shot.jpg" << QStringList("shot.jpg");
    QTest::newRow("export without suffix") << "buttonExport" << two << "shot" << QStringList("shot.jpg");
    QTest::newRow("export all") << "buttonExportAll" << two << "."
                                << QStringList({"Image_5.jpg", "Image_7.jpg"});
}

void TestImageList::exportWritesWhatIsChosen()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, indexes);
    QFETCH(QString, typed);
    QFETCH(QStringList, files);
    ShownWindow rig;
    QVERIFY(rig.exposed);
    for (int i = 0; i < indexes.size(); ++i)
        rig.deliver(indexes.at(i), flat(90 * i));
    // Export saves the picture on show, here the first row's rather than the last received.
    if (!indexes.isEmpty())
        clickRow(rig.list(), 0);

    {
        DialogAnswer answer(typed.isEmpty() ? QString() : rig.workDir.filePath(typed));
        QTest::mouseClick(rig.window.findChild<QPushButton*>(button), Qt::LeftButton);
        // No picture, no dialog.
        QCOMPARE(answer.dialogs(), indexes.isEmpty() ? 0 : 1);
        QCOMPARE(answer.strays(), QStringList());
    }
    QCOMPARE(QDir(rig.workDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             files);
    // Export All names each file "Image_<index>.jpg" after the picture it holds.
    for (const QString& file : files) {
        const int row = button == "buttonExport" ? 0 : indexes.indexOf(file.mid(6).chopped(4).toInt());
        verifyExported(rig.workDir.filePath(file), rig.exportView(row));
    }
}

QTEST_MAIN(TestImageList)
#include "tst_imagelist.moc"
