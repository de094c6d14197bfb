#ifndef SHOWNWINDOW_H
#define SHOWNWINDOW_H

#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

// The part of the frame that an export saves: the preview with a 6-px margin and the caption.
inline const QRect kExportArea(58, 58, 372, 322);

inline QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// What the widget's area of the window shows, with everything behind and above it.
inline QImage onScreen(QWidget* widget)
{
    QWidget* window = widget->window();
    return rgb(window->grab(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())).toImage());
}

inline QImage pixmapOf(const QLabel* label)
{
    const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
    return pixmap.isNull() ? QImage() : rgb(pixmap.toImage());
}

inline QStringList rowNumbers(QListWidget* list)
{
    QStringList numbers;
    for (int row = 0; row < list->count(); ++row)
        numbers.append(list->item(row)->text());
    return numbers;
}

inline void clickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

// The real window in its own working directory, shown so that clicks and grabs act as on screen.
struct ShownWindow
{
    ShownWindow()
    {
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    // The window adds arrivals on its next turn of the event loop; this runs that turn.
    void deliver(int index, const QImage& image)
    {
        window.slotDeviceGotImage(index, new QImage(image));
        QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
    }
    template <typename T = QLabel> T* child(const char* name) const { return window.findChild<T*>(name); }
    QListWidget* list() const { return child<QListWidget>("listWidget"); }
    QImage preview() const { return pixmapOf(child("labelPreview")); }
    QString caption() const { return child("labelImageNumber")->text(); }
    // The export area as the window shows the row: what an export of it must hold.
    QImage exportView(int row) const
    {
        clickRow(list(), row);
        return rgb(child("labelFrame")->grab(kExportArea).toImage());
    }

    ScopedWorkDir workDir;
    MainWindow window;
    bool exposed = false;
};

// The file must be a JPEG of the export area close to the expected view. Against the view, the
// compression strays by up to about 5 on the whole and 10 in a 4x4 block of grey; a wrong picture
// raises the whole to 19 or more, a wrong caption digit a block to 60 or more.
inline void verifyExported(const QString& path, const QImage& expected)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path + " is missing"));
    const QByteArray bytes = file.readAll();
    QVERIFY2(bytes.startsWith("\xFF\xD8"), qPrintable(path + " is no JPEG"));
    const QImage saved = rgb(QImage::fromData(bytes, "JPEG"));
    QCOMPARE(saved.size(), kExportArea.size());
    double whole = 0, worstBlock = 0;
    for (int by = 0; by < saved.height(); by += 4)
        for (int bx = 0; bx < saved.width(); bx += 4) {
            double block = 0;
            int pixels = 0;
            for (int y = by; y < by + 4 && y < saved.height(); ++y)
                for (int x = bx; x < bx + 4 && x < saved.width(); ++x) {
                    const QRgb p = saved.pixel(x, y), q = expected.pixel(x, y);
                    whole +=
                        qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
                    block += qAbs(qGray(p) - qGray(q));
                    ++pixels;
                }
            worstBlock = qMax(worstBlock, block / pixels);
        }
    whole /= 3.0 * saved.width() * saved.height();
    QVERIFY2(whole <= 10 && worstBlock <= 24,
             qPrintable(QString("%1 differs by %2, by %3 in a block").arg(path).arg(whole).arg(worstBlock)));
}

#endif // SHOWNWINDOW_H
