// The thumbnail list and the large preview as the window wires them.
#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "ui/preview/previewarea.h"

#include <QListWidget>

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
    // The image is ours once it arrives; only the copy is kept. The list shows it on the next turn.
    pictureStore->append({index, img ? *img : QImage(), QDateTime::currentDateTime()});
    delete img;
}

void MainWindow::showStoredPicture(int row)
{
    showPreview(pictureStore->at(row).image, pictureStore->at(row).index);
}

void MainWindow::slotListWidgetClicked()
{
    const int row = listWidget->currentRow();
    if (row < 0 || row >= listWidget->count())
        return;
    // The chosen row stays in the preview while the picture under way arrives.
    previewArea->keepChosen();
    showStoredPicture(row);
}
