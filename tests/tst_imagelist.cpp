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

// Where a click on a row lands: the row itself, or one of the labels that fill it.
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
    QLabel* label = rowLabel(list, row, target == Target::Number);
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
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
    void tallThumbnailLosesEqualTopAndBottom();
    void reconnectEmptiesListAndKeepsPreview();
    void nullImageGetsRow();
};

void TestImageList::rowsAndPreviewFollowArrivalsAndClicks_data()
{
    QTest::addColumn<Target>("target");
    QTest::newRow("row") << Target::Row;
    QTest::newRow("number label") << Target::Number;
    QTest::newRow("picture label") << Target::Picture;
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
    for (int row = 0; row < indexes.size(); ++row) {
        QLabel* picture = rowLabel(rig.list(), row, false);
        QVERIFY(picture);
        QCOMPARE(onScreen(picture).pixel(55, 50), images.at(row).pixel(0, 0));
    }

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

void TestImageList::tallThumbnailLosesEqualTopAndBottom()
{
    ShownWindow rig;
    QVERIFY(rig.exposed);
    rig.deliver(1, pattern(QSize(220, 600)));
    QLabel* picture = rowLabel(rig.list(), 0, false);
    QVERIFY(picture);
    const QImage thumbnail = pixmapOf(picture);
    QCOMPARE(thumbnail.size(), QSize(110, 300));
    // The 100-px row shows the thumbnail's middle third.
    QCOMPARE(onScreen(picture), thumbnail.copy(0, 100, 110, 100));
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
