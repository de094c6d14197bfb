// The thumbnail list and the large preview: which rows appear, what the preview shows after
// arrivals, clicks, key presses and a reconnect, and how pictures fit their labels.
#include "app/fontfamilies.h"
#include "support/shownwindow.h"

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

// Where a click on a row lands: its centre, its number or its thumbnail.
enum class Target
{
    Row,
    Number,
    Picture
};

void click(QListWidget* list, int row, Target target)
{
    if (target == Target::Row)
        return clickRow(list, row);
    const QPoint at = target == Target::Number ? QPoint(25, 50) : QPoint(105, 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).topLeft() + at);
}

// A row as the list shows it.
QImage rowOnScreen(QListWidget* list, int row)
{
    return rgb(list->viewport()->grab(list->visualItemRect(list->item(row))).toImage());
}

} // namespace

Q_DECLARE_METATYPE(Target)

class TestImageList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }
    void rowsAndPreviewFollowArrivalsAndClicks_data();
    void rowsAndPreviewFollowArrivalsAndClicks();
    void previewShowsImageUnscaled_data();
    void previewShowsImageUnscaled();
    void thumbnailFitsItsArea_data();
    void thumbnailFitsItsArea();
    void rowsFollowArrivalsAcrossBatches();
    void reconnectEmptiesListAndKeepsPreview();
    void nullImageGetsRow();
};

void TestImageList::rowsAndPreviewFollowArrivalsAndClicks_data()
{
    QTest::addColumn<Target>("target");
    QTest::newRow("row") << Target::Row;
    QTest::newRow("number") << Target::Number;
    QTest::newRow("thumbnail") << Target::Picture;
}

void TestImageList::rowsAndPreviewFollowArrivalsAndClicks()
{
    QFETCH(Target, target);
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
    QCOMPARE(rig.list()->currentRow(), -1);
    for (int row = 0; row < indexes.size(); ++row)
        QCOMPARE(rowOnScreen(rig.list(), row).pixel(105, 50), images.at(row).pixel(0, 0));

    for (int row : {0, 1, 2, 0}) {
        click(rig.list(), row, target);
        QCOMPARE(rig.list()->currentRow(), row);
        QCOMPARE(rig.preview(), images.at(row));
        QCOMPARE(rig.caption(), "Image Number. " + QString::number(indexes.at(row)));
    }

    // Keys move the highlight only.
    QTest::keyClick(rig.list(), Qt::Key_Down);
    QCOMPARE(rig.list()->currentRow(), 1);
    QCOMPARE(rig.preview(), images.at(0));

    // An arrival takes the preview back from the clicked row.
    const QImage latest = flat(300);
    rig.deliver(9, latest);
    QCOMPARE(rig.preview(), latest);
    QCOMPARE(rig.caption(), QString("Image Number. 9"));
}

void TestImageList::previewShowsImageUnscaled_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("shown");
    QTest::newRow("exact fit") << QSize(360, 240) << QRect(0, 0, 360, 240);
    QTest::newRow("wider: leftmost columns") << QSize(500, 240) << QRect(0, 0, 360, 240);
    QTest::newRow("taller: middle rows") << QSize(360, 400) << QRect(0, 80, 360, 240);
}

void TestImageList::previewShowsImageUnscaled()
{
    QFETCH(QSize, size);
    QFETCH(QRect, shown);
    ShownWindow rig;
    QVERIFY(rig.exposed);
    const QImage image = pattern(size);
    rig.deliver(1, image);
    QCOMPARE(onScreen(rig.child("labelPreview")), image.copy(shown));
}

void TestImageList::thumbnailFitsItsArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("thumbnail");
    QTest::newRow("landscape fills the width") << QSize(360, 240) << QSize(110, 74);
    QTest::newRow("portrait fills the height") << QSize(220, 600) << QSize(37, 100);
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

// However arrivals are split into batches, and whichever a reconnect drops, each row keeps its own
// number and picture, in the order they came.
void TestImageList::rowsFollowArrivalsAcrossBatches()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    const auto arrive = [&rig](int index) { rig.window.slotDeviceGotImage(index, new QImage(flat(index))); };
    const auto nextTurn = [&rig] { QCoreApplication::sendPostedEvents(&rig.window, QEvent::MetaCall); };
    arrive(1);
    nextTurn();
    arrive(2); // still queued when the reconnect comes
    rig.window.slotDeviceConnect(true, 0, KaDeviceInfo{"l1", "l2", "l3", "l4"});
    const QList<int> indexes{30, 60, 90, 120, 150, 180};
    for (int index : indexes) {
        arrive(index);
        if (index == 60 || index == 90)
            nextTurn();
    }
    QTRY_COMPARE_WITH_TIMEOUT(rig.list()->count(), indexes.size(), 30000);
    QCOMPARE(rowNumbers(rig.list()), QStringList({"30", "60", "90", "120", "150", "180"}));
    QCOMPARE(rig.preview(), flat(180));
    for (int row = 0; row < indexes.size(); ++row) {
        clickRow(rig.list(), row);
        QCOMPARE(rig.preview(), flat(indexes.at(row)));
        QCOMPARE(rowOnScreen(rig.list(), row).pixel(105, 50), flat(indexes.at(row)).pixel(0, 0));
    }
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
    QCOMPARE(rowNumbers(rig.list()), QStringList("1"));
    rig.deliver(2, flat(60));
    clickRow(rig.list(), 0);
    QCOMPARE(rig.preview(), flat(240));
}

void TestImageList::nullImageGetsRow()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    rig.deliver(3, flat(0));
    rig.deliver(8, QImage());
    QCOMPARE(rowNumbers(rig.list()), QStringList({"3", "8"}));
    QCOMPARE(rig.caption(), QString("Image Number. 8"));
    QVERIFY(rig.preview().isNull());
}

QTEST_MAIN(TestImageList)
#include "tst_imagelist.moc"
