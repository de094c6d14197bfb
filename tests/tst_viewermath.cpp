// The viewer's reckoning without a window, on pictures as the receive side makes them from the
// device's bytes: raw pixel values of each format, region figures worked out by hand, the
// difference picture, and zooming that keeps the pixel under the pointer.
#include "core/differenceimage.h"
#include "core/rawpixel.h"
#include "core/regionstats.h"
#include "core/viewtransform.h"
#include "support/framebytes.h"
#include "support/receivedpicture.h"

#include <QtTest>

class TestViewerMath : public QObject
{
    Q_OBJECT

private slots:
    void rawPixelOfEachFormat_data()
    {
        QTest::addColumn<int>("bpp");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QVector<int>>("levels");
        QTest::addColumn<uint>("word");
        QTest::addColumn<QRgb>("shown");
        QTest::newRow("grey") << 1 << bytesOf("\x80") << QVector<int>{128} << 0x80u << qRgb(128, 128, 128);
        // Low byte first on the line: F8 is the high byte, all red.
        QTest::newRow("565 red") << 2 << bytesOf("\x00\xf8") << QVector<int>{31, 0, 0} << 0xf800u
                                 << qRgb(255, 0, 0);
        QTest::newRow("565 green") << 2 << bytesOf("\xe0\x07") << QVector<int>{0, 63, 0} << 0x07e0u
                                   << qRgb(0, 255, 0);
        QTest::newRow("565 blue") << 2 << bytesOf("\x1f\x00") << QVector<int>{0, 0, 31} << 0x001fu
                                  << qRgb(0, 0, 255);
        QTest::newRow("565 middle") << 2 << bytesOf("\x10\x84") << QVector<int>{16, 32, 16} << 0x8410u
                                    << qRgb(132, 130, 132);
        QTest::newRow("888") << 3 << bytesOf("\x01\x02\xfe") << QVector<int>{1, 2, 254} << 0xfe0201u
                             << qRgb(1, 2, 254);
    }

    void rawPixelOfEachFormat()
    {
        QFETCH(int, bpp);
        QFETCH(QByteArray, bytes);
        QFETCH(QVector<int>, levels);
        QFETCH(uint, word);
        QFETCH(QRgb, shown);
        // The pixel second of three, after one of other bytes, on the second row.
        const QByteArray other(bpp, '\x55');
        const QImage picture = receivedPicture(3, 2, bpp, other.repeated(4) + bytes + other);
        QVERIFY(!picture.isNull());
        const RawPixel pixel = rawPixel(picture, 1, 1);
        QCOMPARE(bytesPerPixel(pixel.format), bpp);
        QCOMPARE(channelCount(pixel.format), levels.size());
        for (int c = 0; c < levels.size(); ++c)
            QCOMPARE(pixel.levels.at(size_t(c)), levels.at(c));
        QCOMPARE(pixel.word, quint32(word));
        QCOMPARE(QColor(pixel.shown).name(), QColor(shown).name());
    }

    void regionFigures()
    {
        // Grey 4x2: 0 10 20 30 / 40 50 60 70. The middle square holds 10, 20, 50, 60: mean 35,
        // deviations 25 and 15 twice each, so sqrt((625 + 225) / 2).
        const QImage grey = receivedPicture(4, 2, 1, bytesOf("\x00\x0a\x14\x1e\x28\x32\x3c\x46"));
        const RegionStats middle = regionStats(grey, QRect(1, 0, 2, 2));
        QCOMPARE(middle.channels.size(), 1);
        const ChannelStats& g = middle.channels.at(0);
        QCOMPARE(g.minimum, 10);
        QCOMPARE(g.maximum, 60);
        QCOMPARE(g.mean, 35.0);
        QCOMPARE(g.deviation, std::sqrt(425.0));
        QCOMPARE(g.count, qint64(4));
        QCOMPARE(g.histogram.size(), 256);
        QCOMPARE(g.histogram.at(20), qint64(1));
        QCOMPARE(g.histogram.at(0), qint64(0));

        // Red, green, blue, white in 5-6-5: each channel half at 0 and half at its top.
        const QImage rgb565 = receivedPicture(2, 2, 2, bytesOf("\x00\xf8\xe0\x07\x1f\x00\xff\xff"));
        const RegionStats all = regionStats(rgb565, QRect(-5, -5, 100, 100));
        QCOMPARE(all.region, QRect(0, 0, 2, 2));
        const int tops[] = {31, 63, 31};
        for (int c = 0; c < 3; ++c) {
            const ChannelStats& s = all.channels.at(c);
            QCOMPARE(s.minimum, 0);
            QCOMPARE(s.maximum, tops[c]);
            QCOMPARE(s.mean, tops[c] / 2.0);
            QCOMPARE(s.deviation, tops[c] / 2.0);
            QCOMPARE(s.count, qint64(4));
            QCOMPARE(s.histogram.size(), tops[c] + 1);
            QCOMPARE(s.histogram.at(tops[c]), qint64(2));
        }

        // R, G, B of one pixel and a region wholly outside.
        const QImage rgb888 = receivedPicture(2, 1, 3, bytesOf("\x01\x02\x03\x05\x07\x0b"));
        const RegionStats one = regionStats(rgb888, QRect(1, 0, 1, 1));
        QCOMPARE(one.channels.at(2).mean, 11.0);
        QCOMPARE(one.channels.at(2).deviation, 0.0);
        QCOMPARE(regionStats(rgb888, QRect(5, 5, 2, 2)).region, QRect());
    }

    void differenceShowsOneLevel()
    {
        const QImage before = receivedPicture(3, 1, 1, bytesOf("\x10\x10\x10"));
        const QImage after = receivedPicture(3, 1, 1, bytesOf("\x10\x11\x0f"));
        const QImage grey = differenceImage(after, before);
        QCOMPARE(grey.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(grey.pixel(1, 0), qRgb(96, 96, 96));
        QCOMPARE(grey.pixel(2, 0), qRgb(96, 96, 96));

        // 5-6-5: one level of green, the whole range of red; 888: two levels of blue.
        const QImage green = differenceImage(receivedPicture(1, 1, 2, bytesOf("\x20\xf8")),
                                             receivedPicture(1, 1, 2, bytesOf("\x00\x00")));
        QCOMPARE(green.pixel(0, 0), qRgb(255, 96, 0));
        const QImage blue = differenceImage(receivedPicture(1, 1, 3, bytesOf("\x05\x05\x07")),
                                            receivedPicture(1, 1, 3, bytesOf("\x05\x05\x05")));
        // Of 255 levels, two are still 96 of 255.
        QCOMPARE(blue.pixel(0, 0), qRgb(0, 0, 96));

        QVERIFY(differenceImage(before, receivedPicture(3, 1, 3, QByteArray(9, '\x10'))).isNull());
        QVERIFY(differenceImage(before, receivedPicture(1, 3, 1, bytesOf("\x10\x10\x10"))).isNull());
    }

    void zoomKeepsThePixelUnderThePointer()
    {
        const QVector<QPointF> anchors{{0.5, 0.5}, {333, 221}, {640.9, 17.2}, {7, 599.99}};
        for (const QPointF& anchor : anchors) {
            ViewTransform view;
            view.fit(QSizeF(360, 240), QSizeF(1000, 700));
            const QPointF start = view.toImage(anchor);
            const QPoint pixel(int(std::floor(start.x())), int(std::floor(start.y())));
            // All the way up, past the top, all the way down, past the bottom, and up again.
            for (int steps : {1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1, -1, -1, -1,
                              -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 1,  1}) {
                view.stepZoom(anchor, steps);
                const QPointF at = view.toImage(anchor);
                QCOMPARE(QPoint(int(std::floor(at.x())), int(std::floor(at.y()))), pixel);
                if (view.zoom() >= 1)
                    QCOMPARE(view.origin(), QPointF(view.origin().toPoint()));
            }
            QCOMPARE(view.zoom(), 1.0);
        }
        ViewTransform view;
        view.fit(QSizeF(360, 240), QSizeF(1000, 700));
        QCOMPARE(view.zoom(), 2.0);
        QCOMPARE(view.origin(), QPointF(140, 110));
        view.fit(QSizeF(4000, 100), QSizeF(900, 700));
        QCOMPARE(view.zoom(), 0.125);
    }
};

QTEST_GUILESS_MAIN(TestViewerMath)
#include "tst_viewermath.moc"
