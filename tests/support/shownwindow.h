#ifndef SHOWNWINDOW_H
#define SHOWNWINDOW_H

#include "support/scopedworkdir.h"
#include "ui/list/picturerows.h"
#include "ui/window/mainwindow.h"

#include <QBuffer>
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

// The window adds arrivals to the list on its next turn of the event loop; this runs that turn.
inline void nextTurn(MainWindow& window)
{
    QCoreApplication::sendPostedEvents(window.findChild<PictureRows*>(), QEvent::MetaCall);
}

// The real window in its own working directory, shown so that clicks and grabs act as on screen.
struct ShownWindow
{
    ShownWindow()
    {
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    void deliver(int index, const QImage& image)
    {
        window.slotDeviceGotImage(index, new QImage(image));
        nextTurn(window);
    }
    template <typename T = QLabel> T* child(const char* name) const { return window.findChild<T*>(name); }
    QListWidget* list() const { return child<QListWidget>("listWidget"); }
    QImage preview() const
    {
        const QPixmap pixmap = child("labelPreview")->pixmap(Qt::ReturnByValue);
        return pixmap.isNull() ? QImage() : rgb(pixmap.toImage());
    }
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

// The file must be the JPEG that the export area, as the window shows it, makes: the same
// encoder given the same pixels writes the same file.
inline void verifyExported(const QString& path, const QImage& expected)
{
    QImage saved;
    QVERIFY2(saved.load(path, "JPEG"), qPrintable(path + " is missing or no JPEG"));
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly) && expected.save(&buffer, "JPEG"));
    QVERIFY2(rgb(saved) == rgb(QImage::fromData(buffer.data(), "JPEG")), qPrintable(path + " differs"));
}

#endif // SHOWNWINDOW_H
