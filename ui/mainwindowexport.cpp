// Export of the preview area as JPEG files.
#include "ui/mainwindow.h"

#include "ui/exportreport.h"

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
    report.save(labelFrame->grab(kExportRegion).toImage(), fileName);
}

void MainWindow::slotButtonExport()
{
    if (currentImage.isNull())
        return;
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("Save Image"), ".", tr("Image File(*.jpg)"), nullptr, {});
    if (fileName.isEmpty())
        return;
    ExportReport report;
    saveExportRegion(withWritableSuffix(fileName), report);
    report.tellUser(this);
}

void MainWindow::slotButtonExportAll()
{
    if (storedImages.isEmpty())
        return;
    QFileDialog dialog(this, QString(), QString(), QString());
    dialog.setWindowTitle("Choose Directory to Save Images");
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList selected = dialog.selectedFiles();
    if (selected.isEmpty())
        return;
    const QString directory = selected.first();

    ExportReport report;
    for (int i = 0; i < storedImages.size(); ++i) {
        showPreview(storedImages.at(i), storedImageIndexes.at(i));
        labelFrame->repaint();
        saveExportRegion(directory + "/Image_" + QString::number(storedImageIndexes.at(i)) + ".jpg", report);
    }
    report.tellUser(this);
}
