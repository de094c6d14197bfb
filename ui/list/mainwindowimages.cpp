// The thumbnail list and the large preview.
#include "ui/window/mainwindow.h"

#include "ui/list/imagerowitem.h"
#include "ui/list/thumbnail.h"
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
    currentImage = image;
    previewIndex = index;
    restorePreview();
}

void MainWindow::slotDeviceGotImage(int index, QImage* img)
{
    progressivePreview->frameEnded(true);
    // The image is ours once it arrives; only the copy is kept.
    pendingImages.append(qMakePair(index, img ? *img : QImage()));
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
    if (pendingImages.isEmpty() || windowClosing)
        return; // a reconnect dropped them, or they go with the window
    QElapsedTimer clock;
    clock.start();
    do {
        const QPair<int, QImage> arrival = pendingImages.takeFirst();
        storedImages.append(arrival.second);
        storedImageIndexes.append(arrival.first);
        QListWidgetItem* item = new ImageRowItem(arrival.first);
        item->setData(Qt::DecorationRole, rowThumbnail(arrival.second, listWidget->devicePixelRatioF()));
        listWidget->addItem(item);
    } while (!pendingImages.isEmpty() && !clock.hasExpired(kBatchBudgetMs));
    showPreview(storedImages.last(), storedImageIndexes.last());

    if (!pendingImages.isEmpty()) {
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
    progressivePreview->pin();
    showPreview(storedImages.at(row), storedImageIndexes.at(row));
}
