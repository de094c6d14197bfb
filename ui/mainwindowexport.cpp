// Export of the preview area as JPEG files.
#include "ui/mainwindow.h"

#include "ui/exportreport.h"
#include "ui/filechooser.h"
#include "ui/folderexport.h"

#include <QImageWriter>
#include <QLabel>
#include <QPixmap>

namespace {

const QRect kExportRegion(58, 58, 372, 322);

// JPEG unless the name asks for another format an image writer knows.
QStringList exportSuffixes()
{
    QStringList suffixes{QStringLiteral("jpg")};
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    return suffixes;
}

} // namespace

QImage MainWindow::exportRegion()
{
    // A picture still arriving is never written: the grab shows the last complete one.
    const bool partial = partialOnShow;
    const QPixmap partialView = labelPreview->pixmap(Qt::ReturnByValue);
    const QString partialCaption = labelImageNumber->text();
    if (partial)
        restorePreview();
    QImage region = labelFrame->grab(kExportRegion).toImage();
    if (partial) {
        labelPreview->setPixmap(partialView);
        labelImageNumber->setText(partialCaption);
        partialOnShow = true;
    }
    // A scaled screen grabs more pixels; the file keeps its size in pixels whatever the screen.
    if (region.size() != kExportRegion.size())
        region = region.scaled(kExportRegion.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return region;
}

void MainWindow::slotButtonExport()
{
    if (currentImage.isNull() || exportRunning)
        return;
    const QString fileName = FileChooser::saveFile(this, tr("Save Image"), tr("Image File(*.jpg)"),
                                                   exportSuffixes(), suggestedSaveName(".jpg"));
    if (fileName.isEmpty())
        return;
    ExportReport report;
    report.save(exportRegion(), fileName);
    report.tellUser(this);
}

void MainWindow::slotButtonExportAll()
{
    if (storedImages.isEmpty() || exportRunning)
        return;
    const QString folder = FileChooser::folder(this, tr("Choose Directory to Save Images"));
    if (folder.isEmpty())
        return;

    // The window paints and answers between files, so the lists are walked as they were at the
    // click: a reconnect may empty them meanwhile, new arrivals may grow them.
    const QList<QImage> images = storedImages;
    const QList<int> indexes = storedImageIndexes;
    QStringList names;
    for (int index : indexes)
        names << QStringLiteral("Image_%1.jpg").arg(index);
    exportRunning = true;
    FolderExport::run(this, tr("Export All"), folder, names, [&](int i) {
        showPreview(images.at(i), indexes.at(i));
        return exportRegion();
    });
    exportRunning = false;
}
