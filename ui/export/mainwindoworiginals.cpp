// "Save original": the received pictures at their own size, losslessly as PNG.
#include "ui/window/mainwindow.h"

#include "core/originalpicture.h"
#include "core/picturenames.h"
#include "core/picturestore.h"
#include "ui/export/exportreport.h"
#include "ui/export/filechooser.h"
#include "ui/export/folderexport.h"
#include "ui/preview/previewarea.h"
#include "ui/preview/progressivepreview.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>

void MainWindow::slotListContextMenu(const QPoint& pos)
{
    const QModelIndex index = listWidget->indexAt(pos);
    if (!index.isValid())
        return;
    // The row the menu belongs to is the one on show, so "Save original" saves what is seen.
    listWidget->setCurrentRow(index.row());
    slotListWidgetClicked();
    showOriginalsMenu(listWidget->viewport(), pos);
}

void MainWindow::slotPreviewContextMenu(const QPoint& pos)
{
    showOriginalsMenu(labelFrame, pos, true);
}

void MainWindow::showOriginalsMenu(QWidget* widget, const QPoint& pos, bool withCurrentPicture)
{
    // No dialog opens while a folder is being written.
    if ((currentImage().isNull() && !withCurrentPicture) || exportRunning)
        return;
    QMenu menu(this);
    menu.setObjectName("menuOriginals");
    QAction* one = menu.addAction(tr("Save original…"));
    one->setEnabled(!currentImage().isNull());
    QAction* all = menu.addAction(tr("Save all originals…"));
    all->setEnabled(!pictureStore->isEmpty());
    QAction* current = withCurrentPicture ? menu.addAction(tr("Current picture from the device")) : nullptr;
    QAction* last = withCurrentPicture ? menu.addAction(tr("Show the last current picture")) : nullptr;
    if (last)
        last->setEnabled(previewArea->hasLastCurrentPicture() && !previewArea->showsCurrentPicture());
    QAction* chosen = menu.exec(widget->mapToGlobal(pos));
    if (!chosen)
        return;
    if (chosen == one)
        slotSaveOriginal();
    else if (chosen == all)
        slotSaveAllOriginals();
    else if (chosen == current)
        slotCurrentPicture();
    else if (chosen == last) {
        // Chosen, as a clicked row is: it stays while a stored picture arrives.
        previewArea->progressive()->pin();
        previewArea->showLastCurrentPicture();
    }
}

void MainWindow::slotSaveOriginal()
{
    if (currentImage().isNull() || exportRunning)
        return;
    // Taken now: a picture arriving while the dialog is open replaces the preview, not this.
    const QImage original = originalPicture(currentImage());
    const QString fileName =
        FileChooser::saveFile(this, tr("Save Original"), tr("PNG image (*.png)"), {QStringLiteral("png")},
                              previewArea->suggestedSaveName(".png"));
    if (fileName.isEmpty())
        return;
    ExportReport report;
    report.save(original, fileName);
    report.tellUser(this);
}

void MainWindow::slotSaveAllOriginals()
{
    if (pictureStore->isEmpty() || exportRunning)
        return;
    const QList<QImage> images = storedImages();
    const QStringList names = storedPictureNames(storedImageIndexes(), "png");
    const QString folder = FileChooser::folder(this, tr("Choose Directory to Save Originals"));
    if (folder.isEmpty())
        return;
    exportRunning = true;
    FolderExport::run(
        this, tr("Save all originals"), folder, names,
        [&images](int i) { return originalPicture(images.at(i)); }, markSaved(images));
    exportRunning = false;
}
