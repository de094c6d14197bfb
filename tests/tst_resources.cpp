// The pictures compiled into the program: the window takes several geometries from their
// sizes, and its widgets sit on the regions the background draws.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QtTest>

namespace {

struct Picture
{
    const char* name;
    QSize size;
};

const Picture kPictures[] = {
    {"background", {945, 614}}, {"title_ch", {390, 26}}, {"title_en", {393, 27}}, {"ornlogo_ch", {114, 16}},
    {"ornlogo_en", {114, 16}},  {"close", {17, 17}},     {"closed", {17, 17}},    {"minimize", {17, 17}},
    {"minimized", {17, 17}},    {"help", {32, 32}},      {"helpd", {32, 32}},     {"connected", {72, 72}},
    {"disconnected", {72, 72}}, {"frame", {488, 438}},   {"logo", {256, 256}},    {"underline", {77, 4}},
};

QString resourcePath(const QString& name)
{
    return ":/image/" + name;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void pictureResolvesWithItsSize_data();
    void pictureResolvesWithItsSize();
    void treeHoldsExactlyThePictures();
    void backgroundRegions_data();
    void backgroundRegions();
    void backgroundCornersAreTransparent();
};

void TestResources::pictureResolvesWithItsSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const Picture& picture : kPictures)
        QTest::newRow(picture.name) << QString(picture.name) << picture.size;
}

void TestResources::pictureResolvesWithItsSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString path = resourcePath(name);

    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());

    // The window loads them as pixmaps.
    const QPixmap pixmap(path);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), size);

    // Names carry no extension.
    QVERIFY(!QFile::exists(path + ".png"));
    QVERIFY(QPixmap(path + ".png").isNull());
}

void TestResources::treeHoldsExactlyThePictures()
{
    QStringList expected;
    for (const Picture& picture : kPictures)
        expected.append(picture.name);
    expected.sort();
    QCOMPARE(QDir(":/image").entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), expected);
}

void TestResources::backgroundRegions_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");

    // Header band behind the title, the window buttons and the three large buttons.
    QTest::newRow("header") << QPoint(300, 100) << QColor(255, 255, 255);
    QTest::newRow("header right") << QPoint(880, 120) << QColor(255, 255, 255);
    // Behind the status icon and the two white status lines.
    QTest::newRow("status column") << QPoint(100, 200) << QColor(119, 129, 157);
    QTest::newRow("status column bottom") << QPoint(25, 264) << QColor(119, 129, 157);
    // Behind the thumbnail list, which draws the same colour itself.
    QTest::newRow("list column") << QPoint(100, 400) << QColor(182, 188, 205);
    QTest::newRow("list column top") << QPoint(190, 268) << QColor(182, 188, 205);
    // Behind the frame and the preview.
    QTest::newRow("preview area") << QPoint(700, 500) << QColor(233, 234, 235);
    QTest::newRow("preview area left") << QPoint(210, 140) << QColor(233, 234, 235);
}

void TestResources::backgroundRegions()
{
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    const QImage background = QImage(resourcePath("background")).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!background.isNull());
    QCOMPARE(QColor::fromRgba(background.pixel(point)), colour);
}

void TestResources::backgroundCornersAreTransparent()
{
    // The shadow fades out at the picture's edges, so the desktop shows through the corners.
    const QImage background = QImage(resourcePath("background")).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!background.isNull());
    const QPoint last(background.width() - 1, background.height() - 1);
    for (const QPoint& corner : {QPoint(0, 0), QPoint(last.x(), 0), QPoint(0, last.y()), last})
        QVERIFY2(qAlpha(background.pixel(corner)) == 0, qPrintable(QString("alpha %1 at (%2, %3)")
                                                                       .arg(qAlpha(background.pixel(corner)))
                                                                       .arg(corner.x())
                                                                       .arg(corner.y())));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
