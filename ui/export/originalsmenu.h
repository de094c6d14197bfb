#ifndef ORIGINALSMENU_H
#define ORIGINALSMENU_H

#include <QObject>
#include <QPoint>

class AutoSave;
class ExportCommands;
class PictureStore;
class PreviewArea;
class QWidget;

// The menu of the list and of the preview: the picture on show or every picture as originals,
// and on the preview the device's current picture, asked for or shown again; either in the viewer;
// and on both saving each picture as it arrives, on or off.
class OriginalsMenu : public QObject
{
    Q_OBJECT

public:
    OriginalsMenu(ExportCommands* commands, AutoSave* autoSave, const PictureStore* store,
                  PreviewArea* preview, QWidget* window);

    void showFor(QWidget* widget, const QPoint& pos, bool onPreview);

signals:
    void signalCurrentPicture();
    // The picture on show, or on the preview whatever it shows, in the viewer.
    void signalOpenViewer(bool onPreview);

private:
    ExportCommands* commands;
    AutoSave* autoSave;
    const PictureStore* store;
    PreviewArea* preview;
    QWidget* window;
};

#endif // ORIGINALSMENU_H
