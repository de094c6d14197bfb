#include "ui/viewer/vieweropener.h"

#include "core/picturestore.h"
#include "ui/preview/previewarea.h"
#include "ui/viewer/viewerwindow.h"

#include <QKeyEvent>
#include <QListWidget>

ViewerOpener::ViewerOpener(QListWidget* list, QWidget* preview, const PictureStore* store,
                           const PreviewArea* previewArea, const LinkSession* session, QWidget* window)
    : QObject(window), listWidget(list), widgetPreview(preview), store(store), previewArea(previewArea),
      session(session), window(window)
{
    connect(listWidget, &QListWidget::doubleClicked, this,
            [this](const QModelIndex& index) { slotOpenRow(index.row()); });
    listWidget->installEventFilter(this);
    widgetPreview->installEventFilter(this);
}

bool ViewerOpener::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listWidget && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            slotOpenRow(listWidget->currentRow());
            return true;
        }
    }
    if (watched == widgetPreview && event->type() == QEvent::MouseButtonDblClick) {
        slotOpenPreview();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

ViewerWindow* ViewerOpener::openViewer()
{
    if (!windowViewer) {
        windowViewer = new ViewerWindow(store, session, window);
        connect(windowViewer, &ViewerWindow::signalCurrentPicture, this, [this] {
            slotFollowCurrent();
            emit signalCurrentPicture();
        });
        connect(windowViewer, &ViewerWindow::signalLiveView, this, [this] {
            slotFollowCurrent();
            emit signalLiveView();
        });
    }
    windowViewer->show();
    windowViewer->raise();
    windowViewer->activateWindow();
    return windowViewer;
}

void ViewerOpener::slotOpenRow(int row)
{
    // The list's rows are the store's, in its order; rows of a batch not yet shown wait.
    if (row < 0 || row >= store->count() || row >= listWidget->count())
        return;
    openViewer()->showRow(row);
}

void ViewerOpener::slotOpenPreview()
{
    const QImage& shown = previewArea->image();
    if (shown.isNull())
        return;
    if (previewArea->showsCurrentPicture())
        return openViewer()->showCurrent(shown);
    // The preview shares the store's image, so its row is the one holding the same data.
    for (int row = store->count() - 1; row >= 0; --row)
        if (store->at(row).image.cacheKey() == shown.cacheKey())
            return slotOpenRow(row);
    if (listWidget->currentRow() >= 0)
        slotOpenRow(listWidget->currentRow());
}

void ViewerOpener::slotOpenShown(bool onPreview)
{
    if (onPreview)
        slotOpenPreview();
    else
        slotOpenRow(listWidget->currentRow());
}

void ViewerOpener::slotFollowCurrent()
{
    if (windowViewer && windowViewer->isVisible())
        windowViewer->followCurrent();
}
