// "Save original": the received pictures at their own size, losslessly as PNG.
#include "ui/mainwindow.h"

#include "ui/exportreport.h"
#include "ui/originalpicture.h"

#include <QFileDialog>
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
    if (currentImage.isNull() && !withCurrentPicture)
        return;
    QMenu menu(this);
    menu.setObjectName("menuOriginals");
    QAction* one = menu.addAction(tr("Save original…"));
    one->setEnabled(!currentImage.isNull());
    QAction* all = menu.addAction(tr("Save all originals…"));
    all->setEnabled(!storedImages.isEmpty());
    QAction* current = withCurrentPicture ? menu.addAction(tr("Current picture from the device")) : nullptr;
    QAction* chosen = menu.exec(widget->mapToGlobal(pos));
    if (!chosen)
        return;
    if (chosen == one)
        slotSaveOriginal();
    else if (chosen == all)
        slotSaveAllOriginals();
    else if (chosen == current)
        slotCurrentPicture();
}

void MainWindow::slotSaveOriginal()
{
    if (currentImage.isNull())
        return;
    QString fileName = QFileDialog::getSaveFileName(this, tr("Save Original"), saveStartPath(".png"),
                                                    tr("PNG image (*.png)"));
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        fileName += QLatin1String(".png");
    ExportReport report;
    report.save(originalPicture(currentImage), fileName);
    report.tellUser(this);
}

void MainWindow::slotSaveAllOriginals()
{
    if (storedImages.isEmpty())
        return;
    const QString directory =
        QFileDialog::getExistingDirectory(this, tr("Choose Directory to Save Originals"), ".");
    if (directory.isEmpty())
        return;
    ExportReport report;
    for (int i = 0; i < storedImages.size(); ++i)
        report.save(originalPicture(storedImages.at(i)),
                    directory + "/Image_" + QString::number(storedImageIndexes.at(i)) + ".png");
    report.tellUser(this);
}
