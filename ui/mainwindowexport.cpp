// Export of the preview area as JPEG files.
#include "ui/mainwindow.h"

#include "ui/exportreport.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QPixmap>

namespace {

const QRect kExportRegion(58, 58, 372, 322);

// A name whose suffix no image writer knows would save nothing; such a name gets ".jpg".
QString withWritableSuffix(const QString& fileName)
{
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!suffix.isEmpty() && QImageWriter::supportedImageFormats().contains(suffix))
        return fileName;
    return fileName + ".jpg";
}

} // namespace

void MainWindow::saveExportRegion(const QString& fileName, ExportReport& report)
{
    // A picture still arriving is never written: the grab shows the last complete one.
    const bool partial = partialOnShow;
    const QPixmap partialView = labelPreview->pixmap(Qt::ReturnByValue);
    const QString partialCaption = labelImageNumber->text();
    if (partial)
        restorePreview();
    report.save(labelFrame->grab(kExportRegion).toImage(), fileName);
    if (partial) {
        labelPreview->setPixmap(partialView);
        labelImageNumber->setText(partialCaption);
        partialOnShow = true;
    }
}

void MainWindow::slotButtonExport()
{
    if (currentImage.isNull())
        return;
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Save Image"), saveStartPath(".jpg"),
                                                          tr("Image File(*.jpg)"), nullptr, {});
    if (fileName.isEmpty())
        return;
    ExportReport report;
    saveExportRegion(withWritableSuffix(fileName), report);
    report.tellUser(this);
}

void MainWindow::slotButtonExportAll()
{
    if (storedImages.isEmpty() || exportRunning)
        return;
    QFileDialog dialog(this, QString(), QString(), QString());
    dialog.setWindowTitle(tr("Choose Directory to Save Images"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList selected = dialog.selectedFiles();
    if (selected.isEmpty())
        return;
    const QString directory = selected.first();

    // The window paints and answers between files, so the lists are walked as they were at the
    // click: a reconnect may empty them meanwhile, new arrivals may grow them.
    const QList<QImage> images = storedImages;
    const QList<int> indexes = storedImageIndexes;
    ExportReport report;
    exportRunning = true;
    for (int i = 0; i < images.size() && isVisible(); ++i) {
        showPreview(images.at(i), indexes.at(i));
        saveExportRegion(directory + "/Image_" + QString::number(indexes.at(i)) + ".jpg", report);
        QCoreApplication::processEvents();
    }
    exportRunning = false;
    report.tellUser(this);
}
