// The export commands as the window offers them: its buttons, the originals' menus, and the
// window's views of what the commands write.
#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "ui/export/exportcommands.h"
#include "ui/export/originalsmenu.h"

#include <QLabel>
#include <QListWidget>

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
    originalsMenu->showFor(listWidget->viewport(), pos, false);
}

void MainWindow::slotPreviewContextMenu(const QPoint& pos)
{
    originalsMenu->showFor(labelFrame, pos, true);
}
