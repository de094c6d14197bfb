// Export of the preview area as JPEG files.
#include "ui/window/mainwindow.h"

#include "core/picturenames.h"
#include "core/picturestore.h"
#include "ui/export/exportreport.h"
#include "ui/export/filechooser.h"
#include "ui/export/folderexport.h"
#include "ui/preview/previewarea.h"

#include <QImageWriter>

namespace {

// JPEG unless the name asks for another format an image writer knows.
QStringList exportSuffixes()
{
    QStringList suffixes{QStringLiteral("jpg")};
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    return suffixes;
}

} // namespace

QList<QImage> MainWindow::storedImages() const
{
    return pictureStore->images();
}

QList<int> MainWindow::storedImageIndexes() const
{
    return pictureStore->indexes();
}

std::function<void(int)> MainWindow::markSaved(const QList<QImage>& images)
{
    // A reconnect during the run empties the store: a row then holds another picture.
    return [this, images](int i) {
        if (i < pictureStore->count() && pictureStore->at(i).image.cacheKey() == images.at(i).cacheKey())
            pictureStore->markSaved(i);
    };
}

void MainWindow::slotButtonExport()
{
    if (currentImage().isNull() || exportRunning)
        return;
    // Pictures go on arriving while the dialog is open: what was on show at the command is written.
    const QImage region = previewArea->exportRegion();
    const QString fileName = FileChooser::saveFile(this, tr("Save Image"), tr("Image File(*.jpg)"),
                                                   exportSuffixes(), previewArea->suggestedSaveName(".jpg"));
    if (fileName.isEmpty())
        return;
    ExportReport report;
    report.save(region, fileName);
    report.tellUser(this);
}

void MainWindow::slotButtonExportAll()
{
    if (pictureStore->isEmpty() || exportRunning)
        return;
    // The pictures as they were at the command: arrivals while the dialog is open or the files are
    // written do not join, and a reconnect meanwhile takes none away.
    const QList<QImage> images = storedImages();
    const QList<int> indexes = storedImageIndexes();
    const QString folder = FileChooser::folder(this, tr("Choose Directory to Save Images"));
    if (folder.isEmpty())
        return;
    exportRunning = true;
    previewArea->setHeld(true);
    FolderExport::run(
        this, tr("Export All"), folder, storedPictureNames(indexes, "jpg"),
        [&](int i) {
            showPreview(images.at(i), indexes.at(i));
            return previewArea->exportRegion();
        },
        markSaved(images));
    previewArea->setHeld(false);
    exportRunning = false;
}
