#ifndef VIEWERWINDOW_H
#define VIEWERWINDOW_H

#include <QWidget>

class LinkSession;
class PictureStore;
class PixelCanvas;
class QLabel;
class QPushButton;
class RecordingControl;
class RegionPanel;
class ViewerSource;

// A window for looking at one picture closely: zoomed and panned, the raw value of the pixel
// under the pointer, a region's figures and histogram, the difference from the previous picture,
// Page Up and Page Down through the list, and the current picture followed and recorded.
class ViewerWindow : public QWidget
{
    Q_OBJECT

public:
    ViewerWindow(const PictureStore* store, const LinkSession* session, QWidget* parent);

    void showRow(int row);
    void showCurrent(const QImage& picture);
    // The next current picture takes the viewer: one was asked for.
    void followCurrent();
    void retranslate();

signals:
    // F5 and Shift+F5, as in the main window.
    void signalCurrentPicture();
    void signalLiveView();

public slots:
    void slotPrevious();
    void slotNext();
    void slotDifference(bool on);
    void slotWholePicture();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void pictureChanged();
    void updateReadout();
    void present();

    ViewerSource* source;
    PixelCanvas* widgetCanvas;
    QLabel* labelReadout;
    RegionPanel* widgetRegion;
    QPushButton* buttonDifference;
    QLabel* labelDifference;
    QPushButton* buttonRecord;
    QLabel* labelRecording;
    RecordingControl* recording;
};

#endif // VIEWERWINDOW_H
