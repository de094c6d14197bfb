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
// on the preview the device's current picture, asked for or shown again, and on both saving each
// picture as it arrives, on or off.
class OriginalsMenu : public QObject
{
    Q_OBJECT

public:
    OriginalsMenu(ExportCommands* commands, AutoSave* autoSave, const PictureStore* store,
                  PreviewArea* preview, QWidget* window);

    void showFor(QWidget* widget, const QPoint& pos, bool onPreview);

signals:
    void signalCurrentPicture();

private:
    ExportCommands* commands;
    AutoSave* autoSave;
    const PictureStore* store;
    PreviewArea* preview;
    QWidget* window;
};

#endif // ORIGINALSMENU_H
