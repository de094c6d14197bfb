#ifndef VIEWEROPENER_H
#define VIEWEROPENER_H

#include <QObject>

class LinkSession;
class PictureStore;
class PreviewArea;
class QListWidget;
class QWidget;
class ViewerWindow;

// Opens the viewer on a double click on the preview or a row, on Enter on a row, and from the
// menus: on the row, or on what the preview shows, the current picture included. One viewer,
// made when first asked for.
class ViewerOpener : public QObject
{
    Q_OBJECT

public:
    ViewerOpener(QListWidget* list, QWidget* preview, const PictureStore* store,
                 const PreviewArea* previewArea, const LinkSession* session, QWidget* window);

    ViewerWindow* viewer() const { return windowViewer; }

public slots:
    void slotOpenRow(int row);
    void slotOpenPreview();
    // From a menu: the preview's picture, or the list's row on show.
    void slotOpenShown(bool onPreview);
    // F5, Shift+F5 or the menu asked for the current picture: an open viewer shows what comes.
    void slotFollowCurrent();

signals:
    // F5 and Shift+F5 in the viewer.
    void signalCurrentPicture();
    void signalLiveView();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ViewerWindow* openViewer();

    QListWidget* listWidget;
    QWidget* widgetPreview;
    const PictureStore* store;
    const PreviewArea* previewArea;
    const LinkSession* session;
    QWidget* window;
    ViewerWindow* windowViewer = nullptr;
};

#endif // VIEWEROPENER_H
