// The thumbnail list and the large preview.
#include "ui/mainwindow.h"

#include "ui/thumbnail.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QListWidgetItem>
#include <QPixmap>
#include <QStyle>

namespace {
// One batch of arrivals may hold the window this long; the rest waits for the next turn.
const int kBatchBudgetMs = 15;

// The part of the picture that the label shows, placed as the label places it. The pixmap of a
// whole large picture would be 32-bit: 64 MiB for a 1-pixel-wide one of 16 M rows.
QImage shownPart(const QImage& image, const QLabel* label)
{
    const QRect area = label->contentsRect();
    const QRect placed =
        QStyle::alignedRect(label->layoutDirection(), label->alignment(), image.size(), area);
    if (area.contains(placed))
        return image;
    return image.copy(placed.intersected(area).translated(-placed.topLeft()));
}
} // namespace

void MainWindow::showPreview(QImage image, int index)
{
    currentImage = image;
    labelPreview->setPixmap(QPixmap::fromImage(shownPart(currentImage, labelPreview)));
    labelImageNumber->setText("Image Number. " + QString::number(index));
}

void MainWindow::slotDeviceGotImage(int index, QImage* img)
{
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
        QListWidgetItem* item = new QListWidgetItem(QString::number(arrival.first), nullptr, 0);
        item->setData(Qt::DecorationRole, rowThumbnail(arrival.second));
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
    if (row >= 0 && row < listWidget->count())
        showPreview(storedImages.at(row), storedImageIndexes.at(row));
}
