// The thumbnail list and the large preview: which rows appear, what the preview shows after
// arrivals, clicks, key presses and connection reports, and how pictures fit their labels.
#include "app/fontfamilies.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QtTest>

namespace {

const QString kCaption = QStringLiteral("Image Number. ");

// Every pixel differs from its neighbours, so a picture shifted by one pixel no longer compares equal.
QImage pattern(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 40 + 100 * (x / 256) + 50 * (y / 256)));
    return image;
}

QImage flat(const QSize& size, const QColor& color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Three equal horizontal bands, red over green over blue.
QImage bands(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int band = size.height() / 3;
    painter.fillRect(0, 0, size.width(), band, Qt::red);
    painter.fillRect(0, band, size.width(), band, Qt::green);
    painter.fillRect(0, 2 * band, size.width(), size.height() - 2 * band, Qt::blue);
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

// What the widget's area of the window shows, with everything behind and above it.
QImage onScreen(QWidget* widget)
{
    QWidget* window = widget->window();
    const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return rgb(window->grab(area).toImage());
}

bool near(QRgb actual, const QColor& expected, int tolerance = 8)
{
    return qAbs(qRed(actual) - expected.red()) <= tolerance &&
           qAbs(qGreen(actual) - expected.green()) <= tolerance &&
           qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

// The number label shows text, the picture label does not.
QLabel* rowLabel(QListWidget* list, int row, bool number)
{
    // Asking for a row's place runs the list's pending layout, which also places the row widgets.
    list->visualItemRect(list->item(row));
    QWidget* rowWidget = list->itemWidget(list->item(row));
    if (!rowWidget)
        return nullptr;
    const QList<QLabel*> labels = rowWidget->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    for (QLabel* label : labels)
        if (label->text().isEmpty() != number)
            return label;
    return nullptr;
}

QLabel* numberLabel(QListWidget* list, int row)
{
    return rowLabel(list, row, true);
}

QLabel* pictureLabel(QListWidget* list, int row)
{
    return rowLabel(list, row, false);
}

// The window's image widgets; the window is shown so that clicks and grabs behave as on screen.
struct Ui
{
    explicit Ui(MainWindow& window)
        : list(window.findChild<QListWidget*>("listWidget")),
          preview(window.findChild<QLabel*>("labelPreview")),
          caption(window.findChild<QLabel*>("labelImageNumber"))
    {
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    bool ready() const { return exposed && list && preview && caption; }

    QImage previewImage() const
    {
        const QPixmap pixmap = preview->pixmap(Qt::ReturnByValue);
        return pixmap.isNull() ? QImage() : rgb(pixmap.toImage());
    }

    QListWidget* list;
    QLabel* preview;
    QLabel* caption;
    bool exposed = false;
};

enum class ClickTarget
{
    Row,
    Number,
    Picture
};

void click(QListWidget* list, int row, ClickTarget target)
{
    list->scrollToItem(list->item(row));
    if (target == ClickTarget::Row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        return;
    }
    QLabel* label = target == ClickTarget::Number ? numberLabel(list, row) : pictureLabel(list, row);
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
}

} // namespace

Q_DECLARE_METATYPE(ClickTarget)

class TestImageList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsKeepArrivalOrderAndOwnNumbers();
    void previewFollowsArrivalsAndClicks_data();
    void previewFollowsArrivalsAndClicks();
    void clickedRowShowsUntilNextArrival();
    void previewShowsImageUnscaled_data();
    void previewShowsImageUnscaled();
    void thumbnailIsScaledToWidthAndCentred_data();
    void thumbnailIsScaledToWidthAndCentred();
    void keyboardMovesRowButNotPreview();
    void connectionReportsKeepPreview_data();
    void connectionReportsKeepPreview();
    void nullImageGetsRowAndEmptyPreview();
};

void TestImageList::initTestCase()
{
    loadFontFamilies();
}

void TestImageList::rowsKeepArrivalOrderAndOwnNumbers()
{
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QList<int> indexes{7, 2, 7};
    const QList<QColor> colors{QColor(200, 40, 40), QColor(40, 200, 40), QColor(40, 40, 200)};
    for (int i = 0; i < indexes.size(); ++i)
        deliver(window, indexes.at(i), flat(QSize(360, 240), colors.at(i)));

    QCOMPARE(ui.list->count(), indexes.size());
    for (int row = 0; row < indexes.size(); ++row) {
        QLabel* number = numberLabel(ui.list, row);
        QVERIFY(number);
        QCOMPARE(number->text(), QString::number(indexes.at(row)));
        // Each row carries a thumbnail of its own image, not of the latest one.
        QLabel* picture = pictureLabel(ui.list, row);
        QVERIFY(picture);
        const QImage thumbnail = onScreen(picture);
        QVERIFY2(near(thumbnail.pixel(55, 50), colors.at(row)), qPrintable(QString("row %1").arg(row)));
    }
    // Arrivals neither select a row nor move the current one.
    QCOMPARE(ui.list->currentRow(), -1);
}

void TestImageList::previewFollowsArrivalsAndClicks_data()
{
    QTest::addColumn<ClickTarget>("target");
    QTest::newRow("row") << ClickTarget::Row;
    QTest::newRow("number label") << ClickTarget::Number;
    QTest::newRow("picture label") << ClickTarget::Picture;
}

void TestImageList::previewFollowsArrivalsAndClicks()
{
    QFETCH(ClickTarget, target);
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    // The same index twice: each row still previews its own image.
    const QList<int> indexes{7, 2, 7};
    QList<QImage> images;
    for (int i = 0; i < indexes.size(); ++i) {
        images.append(rgb(flat(QSize(360, 240), QColor::fromHsv(120 * i, 200, 200))));
        deliver(window, indexes.at(i), images.last());
        QCOMPARE(ui.caption->text(), kCaption + QString::number(indexes.at(i)));
        QCOMPARE(ui.previewImage(), images.last());
    }

    for (int row : {0, 1, 2, 0}) {
        click(ui.list, row, target);
        QCOMPARE(ui.list->currentRow(), row);
        QCOMPARE(ui.caption->text(), kCaption + QString::number(indexes.at(row)));
        QCOMPARE(ui.previewImage(), images.at(row));
    }
}

void TestImageList::clickedRowShowsUntilNextArrival()
{
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QImage first = rgb(flat(QSize(360, 240), Qt::red));
    const QImage second = rgb(flat(QSize(360, 240), Qt::green));
    const QImage third = rgb(flat(QSize(360, 240), Qt::blue));
    deliver(window, 1, first);
    deliver(window, 2, second);

    click(ui.list, 0, ClickTarget::Row);
    QCOMPARE(ui.previewImage(), first);
    QCOMPARE(ui.caption->text(), kCaption + "1");

    deliver(window, 3, third);
    QCOMPARE(ui.previewImage(), third);
    QCOMPARE(ui.caption->text(), kCaption + "3");
    QCOMPARE(ui.list->currentRow(), 0);

    click(ui.list, 1, ClickTarget::Row);
    QCOMPARE(ui.previewImage(), second);
    QCOMPARE(ui.caption->text(), kCaption + "2");
}

void TestImageList::previewShowsImageUnscaled_data()
{
    // The part of the image that shows, and where in the 360x240 preview it lands.
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("shown");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("exact fit") << QSize(360, 240) << QRect(0, 0, 360, 240) << QPoint(0, 0);
    QTest::newRow("wider: leftmost columns") << QSize(500, 240) << QRect(0, 0, 360, 240) << QPoint(0, 0);
    QTest::newRow("taller: middle rows") << QSize(360, 400) << QRect(0, 80, 360, 240) << QPoint(0, 0);
    QTest::newRow("both larger") << QSize(500, 400) << QRect(0, 80, 360, 240) << QPoint(0, 0);
    QTest::newRow("smaller: left, centred") << QSize(200, 100) << QRect(0, 0, 200, 100) << QPoint(0, 70);
}

void TestImageList::previewShowsImageUnscaled()
{
    QFETCH(QSize, size);
    QFETCH(QRect, shown);
    QFETCH(QPoint, at);
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QImage empty = onScreen(ui.preview);
    const QImage image = pattern(size);
    deliver(window, 1, image);

    const QImage preview = onScreen(ui.preview);
    QCOMPARE(preview.size(), QSize(360, 240));
    const QRect landed(at, shown.size());
    QCOMPARE(preview.copy(landed), image.copy(shown));
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            if (!landed.contains(x, y) && preview.pixel(x, y) != empty.pixel(x, y))
                QFAIL(qPrintable(QString("pixel (%1, %2) outside the image is painted").arg(x).arg(y)));
}

void TestImageList::thumbnailIsScaledToWidthAndCentred_data()
{
    // Thumbnail size, the thumbnail rows that show in the 100-px row and the label row where they
    // begin, and the colours of the first and last rows shown.
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("thumbnail");
    QTest::addColumn<int>("firstShown");
    QTest::addColumn<int>("shownRows");
    QTest::addColumn<int>("top");
    QTest::addColumn<QColor>("topColor");
    QTest::addColumn<QColor>("bottomColor");
    QTest::newRow("wide: centred with room")
        << QSize(440, 120) << QSize(110, 30) << 0 << 30 << 35 << QColor(Qt::red) << QColor(Qt::blue);
    QTest::newRow("exactly row high")
        << QSize(220, 200) << QSize(110, 100) << 0 << 100 << 0 << QColor(Qt::red) << QColor(Qt::blue);
    QTest::newRow("tall: equal parts cut")
        << QSize(220, 600) << QSize(110, 300) << 100 << 100 << 0 << QColor(Qt::green) << QColor(Qt::green);
}

void TestImageList::thumbnailIsScaledToWidthAndCentred()
{
    QFETCH(QSize, size);
    QFETCH(QSize, thumbnail);
    QFETCH(int, firstShown);
    QFETCH(int, shownRows);
    QFETCH(int, top);
    QFETCH(QColor, topColor);
    QFETCH(QColor, bottomColor);
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    deliver(window, 1, bands(size));
    QLabel* picture = pictureLabel(ui.list, 0);
    QVERIFY(picture);
    const QPixmap pixmap = picture->pixmap(Qt::ReturnByValue);
    QCOMPARE(pixmap.size(), thumbnail);

    const QImage shown = onScreen(picture);
    QCOMPARE(shown.size(), QSize(110, 100));
    QCOMPARE(shown.copy(0, top, 110, shownRows), rgb(pixmap.toImage()).copy(0, firstShown, 110, shownRows));
    // Above and below the thumbnail the list's own background shows; the single row leaves the
    // bottom of the list empty.
    const QImage list = onScreen(ui.list);
    const QRgb background = list.pixel(list.width() / 2, list.height() - 5);
    for (int y = 0; y < 100; ++y) {
        if (y >= top && y < top + shownRows)
            continue;
        QVERIFY2(shown.pixel(55, y) == background,
                 qPrintable(QString("row %1 outside the thumbnail").arg(y)));
    }
    QVERIFY(near(shown.pixel(55, top), topColor));
    QVERIFY(near(shown.pixel(55, top + shownRows - 1), bottomColor));
}

void TestImageList::keyboardMovesRowButNotPreview()
{
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    QList<QImage> images;
    for (int i = 0; i < 3; ++i) {
        images.append(rgb(flat(QSize(360, 240), QColor::fromHsv(120 * i, 200, 200))));
        deliver(window, 10 + i, images.last());
    }

    // Before any click the preview is the latest arrival.
    QTest::keyClick(ui.list, Qt::Key_Down);
    QVERIFY(ui.list->currentRow() >= 0);
    QCOMPARE(ui.previewImage(), images.at(2));
    QCOMPARE(ui.caption->text(), kCaption + "12");

    click(ui.list, 0, ClickTarget::Row);
    QCOMPARE(ui.previewImage(), images.at(0));
    QTest::keyClick(ui.list, Qt::Key_Down);
    QCOMPARE(ui.list->currentRow(), 1);
    QTest::keyClick(ui.list, Qt::Key_Down);
    QCOMPARE(ui.list->currentRow(), 2);
    QTest::keyClick(ui.list, Qt::Key_Up);
    QCOMPARE(ui.list->currentRow(), 1);
    QCOMPARE(ui.previewImage(), images.at(0));
    QCOMPARE(ui.caption->text(), kCaption + "10");
}

void TestImageList::connectionReportsKeepPreview_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("rowsAfter");
    QTest::newRow("reconnect empties the list") << true << 0;
    QTest::newRow("disconnect keeps the list") << false << 2;
}

void TestImageList::connectionReportsKeepPreview()
{
    QFETCH(bool, connected);
    QFETCH(int, rowsAfter);
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QImage first = rgb(flat(QSize(360, 240), Qt::red));
    const QImage second = rgb(flat(QSize(360, 240), Qt::blue));
    deliver(window, 4, first);
    deliver(window, 9, second);

    window.slotDeviceConnect(connected, 0, KaDeviceInfo{"l1", "l2", "l3", "l4"});
    QCOMPARE(ui.list->count(), rowsAfter);
    QCOMPARE(ui.previewImage(), second);
    QCOMPARE(ui.caption->text(), kCaption + "9");

    if (rowsAfter > 0) {
        // The kept rows still preview their own images.
        click(ui.list, 0, ClickTarget::Row);
        QCOMPARE(ui.previewImage(), first);
        QCOMPARE(ui.caption->text(), kCaption + "4");
    } else {
        // Rows that arrive after the reset start the list afresh.
        const QImage fresh = rgb(flat(QSize(360, 240), Qt::green));
        deliver(window, 1, fresh);
        QCOMPARE(ui.list->count(), 1);
        QCOMPARE(numberLabel(ui.list, 0)->text(), QString("1"));
        click(ui.list, 0, ClickTarget::Row);
        QCOMPARE(ui.previewImage(), fresh);
    }
}

void TestImageList::nullImageGetsRowAndEmptyPreview()
{
    ScopedWorkDir workDir;
    MainWindow window;
    Ui ui(window);
    QVERIFY(ui.ready());

    const QImage empty = onScreen(ui.preview);
    deliver(window, 3, flat(QSize(360, 240), Qt::red));
    window.slotDeviceGotImage(8, new QImage());

    QCOMPARE(ui.list->count(), 2);
    QLabel* number = numberLabel(ui.list, 1);
    QVERIFY(number);
    QCOMPARE(number->text(), QString("8"));
    QCOMPARE(ui.caption->text(), kCaption + "8");
    QVERIFY(ui.previewImage().isNull());
    QCOMPARE(onScreen(ui.preview), empty);

    // The row of the null image is clickable and shows nothing, the other row its image.
    click(ui.list, 0, ClickTarget::Row);
    QVERIFY(!ui.previewImage().isNull());
    click(ui.list, 1, ClickTarget::Row);
    QVERIFY(ui.previewImage().isNull());
    QCOMPARE(ui.caption->text(), kCaption + "8");
}

QTEST_MAIN(TestImageList)
#include "tst_imagelist.moc"
