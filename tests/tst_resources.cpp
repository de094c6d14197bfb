// The pictures compiled into the program: the window takes several geometries from their sizes,
// and its widgets sit on the regions the background draws.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QtTest>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void pictureHasItsSizeAndAlpha_data()
    {
        QTest::addColumn<QSize>("size");
        const QList<QPair<const char*, QSize>> pictures{
            {"background", {945, 614}}, {"title_ch", {390, 26}},   {"title_en", {393, 27}},
            {"ornlogo_ch", {114, 16}},  {"ornlogo_en", {114, 16}}, {"close", {17, 17}},
            {"closed", {17, 17}},       {"minimize", {17, 17}},    {"minimized", {17, 17}},
            {"help", {32, 32}},         {"helpd", {32, 32}},       {"connected", {72, 72}},
            {"disconnected", {72, 72}}, {"frame", {488, 438}},     {"logo", {256, 256}},
            {"underline", {77, 4}},
        };
        for (const auto& picture : pictures)
            QTest::newRow(picture.first) << picture.second;
    }
    void pictureHasItsSizeAndAlpha()
    {
        QFETCH(QSize, size);
        const QString path = QString(":/image/") + QTest::currentDataTag();
        const QImage image(path);
        QCOMPARE(image.size(), size);
        QVERIFY(image.hasAlphaChannel());
        // The window names them without an extension.
        QVERIFY(!QFile::exists(path + ".png"));
    }

    void backgroundRegions_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("header, behind the buttons") << QPoint(300, 100) << QColor(255, 255, 255);
        QTest::newRow("status column") << QPoint(100, 200) << QColor(119, 129, 157);
        QTest::newRow("list column") << QPoint(100, 400) << QColor(182, 188, 205);
        QTest::newRow("preview area") << QPoint(700, 500) << QColor(233, 234, 235);
        // The shadow fades out, so the desktop shows through the corners of the translucent window.
        QTest::newRow("corner") << QPoint(944, 613) << QColor(Qt::transparent);
    }
    void backgroundRegions()
    {
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        const QImage background =
            QImage(":/image/background").convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(QColor::fromRgba(background.pixel(point)), colour);
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
