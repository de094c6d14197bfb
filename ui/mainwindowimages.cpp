// The thumbnail list and the large preview.
#include "ui/mainwindow.h"

#include "app/fontfamilies.h"
#include "ui/pixelfont.h"

#include <QLabel>
#include <QListWidget>
#include <QListWidgetItem>
#include <QPixmap>

namespace {
const QSize kRowSize(160, 100);
const int kThumbnailWidth = 110;
} // namespace

void MainWindow::showPreview(QImage image, int index)
{
    currentImage = image;
    labelPreview->setPixmap(QPixmap::fromImage(currentImage));
    labelImageNumber->setText("Image Number. " + QString::number(index));
}

void MainWindow::slotDeviceGotImage(int index, QImage* img)
{
    QWidget* row = new QWidget;
    row->setFixedSize(kRowSize);

    QLabel* labelNumber = new QLabel(row);
    labelNumber->setGeometry(0, 0, 50, 100);
    labelNumber->setText(QString::number(index));
    labelNumber->setAlignment(Qt::AlignCenter);
    labelNumber->setFont(pixelFont(fontFamilyEn, 24));
    labelNumber->setStyleSheet("color:white;");

    const QImage image = img ? *img : QImage();
    // The image is ours once it arrives; only the copy is kept.
    delete img;
    storedImages.append(image);
    storedImageIndexes.append(index);
    showPreview(image, index);

    const QPixmap thumbnail =
        QPixmap::fromImage(image).scaledToWidth(kThumbnailWidth, Qt::SmoothTransformation);
    QLabel* labelThumbnail = new QLabel(row);
    labelThumbnail->setGeometry(50, 0, kThumbnailWidth, 100);
    labelThumbnail->setPixmap(thumbnail);

    QListWidgetItem* item = new QListWidgetItem(nullptr, 0);
    item->setSizeHint(kRowSize);
    listWidget->insertItem(listWidget->count(), item);
    listWidget->setItemWidget(item, row);
}

void MainWindow::slotListWidgetClicked()
{
    const int row = listWidget->currentRow();
    if (row >= 0 && row < listWidget->count())
        showPreview(storedImages.at(row), storedImageIndexes.at(row));
}
