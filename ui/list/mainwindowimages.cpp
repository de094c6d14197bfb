// The thumbnail list and the large preview.
#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "ui/list/imagerowitem.h"
#include "ui/list/thumbnail.h"
#include "ui/preview/previewarea.h"
#include "ui/preview/progressivepreview.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QListWidgetItem>
#include <QPixmap>

namespace {
// One batch of arrivals may hold the window this long; the rest waits for the next turn. With the
// last picture started, the preview and the paint, the turn stays within a 16 ms display frame.
const int kBatchBudgetMs = 10;
} // namespace

void MainWindow::showPreview(QImage image, int index)
{
    previewArea->show(image, index);
}

const QImage& MainWindow::currentImage() const
{
    return previewArea->image();
}

void MainWindow::slotDeviceGotImage(int index, QImage* img)
{
    previewArea->progressive()->frameEnded(true);
    // The image is ours once it arrives; only the copy is kept.
    pictureStore->append({index, img ? *img : QImage(), QDateTime::currentDateTime()});
    delete img;
    // Arrivals already queued behind this one join it: a fast link costs one list layout and one
    // preview per turn of the event loop, not per picture.
    if (!batchScheduled) {
        batchScheduled = true;
        QMetaObject::invokeMethod(this, &MainWindow::addPendingImages, Qt::QueuedConnection);
    }
}

void MainWindow::addPendingImages()
{
    batchScheduled = false;
    // The stored pictures beyond the list's rows have not been shown yet.
    if (listWidget->count() >= pictureStore->count() || windowClosing)
        return; // a reconnect dropped them, or they go with the window
    QElapsedTimer clock;
    clock.start();
    do {
        const StoredPicture& arrival = pictureStore->at(listWidget->count());
        QListWidgetItem* item = new ImageRowItem(arrival.index);
        item->setData(Qt::DecorationRole, rowThumbnail(arrival.image, listWidget->devicePixelRatioF()));
        listWidget->addItem(item);
    } while (listWidget->count() < pictureStore->count() && !clock.hasExpired(kBatchBudgetMs));
    const StoredPicture& shown = pictureStore->at(listWidget->count() - 1);
    showPreview(shown.image, shown.index);

    if (listWidget->count() < pictureStore->count()) {
        batchScheduled = true;
        QMetaObject::invokeMethod(this, &MainWindow::addPendingImages, Qt::QueuedConnection);
    }
}

void MainWindow::slotListWidgetClicked()
{
    const int row = listWidget->currentRow();
    if (row < 0 || row >= listWidget->count())
        return;
    // The chosen row stays in the preview while the picture under way arrives.
    previewArea->progressive()->pin();
    showPreview(pictureStore->at(row).image, pictureStore->at(row).index);
}
