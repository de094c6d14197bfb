// The export commands as the window offers them: its buttons, the originals' context menus, and
// the window's views of what the commands write.
#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "ui/export/exportcommands.h"
#include "ui/preview/previewarea.h"
#include "ui/preview/progressivepreview.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>

QList<QImage> MainWindow::storedImages() const
{
    return pictureStore->images();
}

QList<int> MainWindow::storedImageIndexes() const
{
    return pictureStore->indexes();
}

void MainWindow::slotButtonExport()
{
    exportCommands->exportPreview();
}

void MainWindow::slotButtonExportAll()
{
    exportCommands->exportAll(storedImages(), storedImageIndexes());
}

void MainWindow::slotSaveOriginal()
{
    // Taken now: a picture arriving while the dialog is open replaces the preview, not this.
    exportCommands->saveOriginal(currentImage());
}

void MainWindow::slotSaveAllOriginals()
{
    exportCommands->saveAllOriginals(storedImages(), storedImageIndexes());
}

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
    if ((currentImage().isNull() && !withCurrentPicture) || exportCommands->isRunning())
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
