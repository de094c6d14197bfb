#include "ui/export/originalsmenu.h"

#include "core/picturestore.h"
#include "ui/autosave/autosave.h"
#include "ui/export/exportcommands.h"
#include "ui/preview/previewarea.h"

#include <QMenu>

OriginalsMenu::OriginalsMenu(ExportCommands* commands, AutoSave* autoSave, const PictureStore* store,
                             PreviewArea* preview, QWidget* window)
    : QObject(window), commands(commands), autoSave(autoSave), store(store), preview(preview), window(window)
{
}

void OriginalsMenu::showFor(QWidget* widget, const QPoint& pos, bool onPreview)
{
    const bool pictureOnShow = !preview->image().isNull();
    // No dialog opens while a folder is being written.
    if ((!pictureOnShow && !onPreview) || commands->isRunning())
        return;
    QMenu menu(window);
    menu.setObjectName("menuOriginals");
    QAction* one = menu.addAction(tr("Save original…"));
    one->setEnabled(pictureOnShow);
    QAction* all = menu.addAction(tr("Save all originals…"));
    all->setEnabled(!store->isEmpty());
    QAction* current = onPreview ? menu.addAction(tr("Current picture from the device")) : nullptr;
    QAction* last = onPreview ? menu.addAction(tr("Show the last current picture")) : nullptr;
    if (last)
        last->setEnabled(preview->hasLastCurrentPicture() && !preview->showsCurrentPicture());
    QAction* viewer = menu.addAction(tr("Open in the viewer"));
    viewer->setEnabled(pictureOnShow);
    menu.addSeparator();
    // Checked while on: choosing it then turns it off, as its keys do.
    QAction* each = menu.addAction(tr("Save each picture as it arrives…") + QLatin1Char('\t') +
                                   AutoSave::shortcut().toString(QKeySequence::NativeText));
    each->setCheckable(true);
    each->setChecked(autoSave->isOn());
    QAction* chosen = menu.exec(widget->mapToGlobal(pos));
    if (!chosen)
        return;
    if (chosen == one) {
        // Taken now: a picture arriving while the dialog is open replaces the preview, not this.
        commands->saveOriginal(preview->image());
    } else if (chosen == all) {
        commands->saveAllOriginals(store->images(), store->indexes());
    } else if (chosen == each) {
        autoSave->slotToggle();
    } else if (chosen == current) {
        emit signalCurrentPicture();
    } else if (chosen == last) {
        // Chosen, as a clicked row is: it stays while a stored picture arrives.
        preview->keepChosen();
        preview->showLastCurrentPicture();
    } else if (chosen == viewer) {
        emit signalOpenViewer(onPreview);
    }
}
