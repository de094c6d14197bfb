// The window on a scaled screen (CTest runs it with QT_SCALE_FACTOR unset, 1.5 and 2): the same layout in
// logical pixels, the @2x pictures, and thumbnails and preview at the screen's resolution.
#include "app/highdpi.h"
#include "support/dialoganswer.h"
#include "support/shownwindow.h"
#include "ui/window/fontfamilies.h"

#include <QApplication>
#include <QPainter>
#include <QtTest>

class TestHighDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }

    void windowKeepsItsLogicalLayout()
    {
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
        const qreal factor = scale.isEmpty() ? 1.0 : scale.toDouble();
        ShownWindow rig;
        QVERIFY(rig.exposed);
        QCOMPARE(rig.window.devicePixelRatioF(), factor);
        QCOMPARE(rig.window.size(), QSize(945, 614));
        QCOMPARE(rig.child("labelFrame")->geometry(), QRect(320, 150, 488, 438));
        QCOMPARE(rig.child<QWidget>("widgetTitle")->geometry(), QRect(40, 30, 393, 27));
        QCOMPARE(rig.child("labelLogo")->geometry(), QRect(785, 560, 114, 16));

        // Drawn from the picture of the screen's size: at 1x and 2x the title shows pixel for pixel.
        const QImage window = rig.window.grab().toImage();
        QCOMPARE(window.size(), QSize(945, 614) * factor);
        if (factor == 1.0 || factor == 2.0) {
            QImage title(factor == 1.0 ? ":/image/title_en" : ":/image/title_en@2x");
            QImage expected(title.size(), QImage::Format_RGB32);
            expected.setDevicePixelRatio(factor);
            expected.fill(Qt::white);
            QPainter(&expected).drawImage(0, 0, title.convertToFormat(QImage::Format_ARGB32_Premultiplied));
            QCOMPARE(rgb(window.copy(QRect(QPoint(40, 30) * factor, title.size()))), expected);
        }

        // Thumbnail and preview have a pixel for every screen pixel.
        QImage picture(360, 240, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        rig.deliver(3, picture);
        const QPixmap thumbnail = rig.list()->item(0)->data(Qt::DecorationRole).value<QPixmap>();
        QCOMPARE(thumbnail.devicePixelRatio(), factor);
        QCOMPARE(thumbnail.width(), qRound(110 * factor));
        const QPixmap preview = rig.child("labelPreview")->pixmap(Qt::ReturnByValue);
        QCOMPARE(preview.devicePixelRatio(), factor);
        QCOMPARE(preview.size(), QSize(360, 240) * factor);

        // Export writes the preview area at its size in pixels, whatever the screen's scale.
        const QString jpg = rig.workDir.filePath("scaled.jpg");
        DialogAnswer answer(jpg);
        rig.window.slotButtonExport();
        QCOMPARE(QImage(jpg).size(), QSize(372, 322));
    }
};

int main(int argc, char* argv[])
{
    enableHighDpiScaling();
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_highdpi.moc"
