#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "device/kadeviceinfo.h"

#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <memory>

class AutoSave;
class KaDevice;
class QLabel;
class QListWidget;
class QPushButton;
class LinkSession;
class PreviewArea;
class ExportCommands;
class OriginalsMenu;
class HelpWindow;
class PictureRows;
class PictureStore;
class StatusColumn;
class TransferStatusLabel;
class ViewerOpener;

// The program's only window: frameless, fixed size, drawn from its own pictures. Its link session
// owns the device worker and the thread it runs on; the window sends it commands only through
// queued signals.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

signals:
    void signalConnectDevice();
    void signalDisconnectDevice();
    void signalGetStoredImage();

public slots:
    void slotButtonClose();
    void slotButtonMinimize();
    void slotButtonCh();
    void slotButtonEn();
    void slotButtonConnect();
    void slotButtonExport();
    void slotButtonExportAll();
    void slotDeviceConnect(bool connected, int error, KaDeviceInfo info);
    void slotDeviceGotImage(int index, QImage* img);
    void slotListWidgetClicked();
    void slotListContextMenu(const QPoint& pos);
    void slotPreviewContextMenu(const QPoint& pos);
    void slotSaveOriginal();
    void slotSaveAllOriginals();
    // F5 and the preview's menu: one current picture; Shift+F5: live view on or off.
    void slotCurrentPicture();
    void slotLiveView();
    void slotButtonHelp();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void initUi();
    void initConnections();
    void initKeyboard();
    void applyAccessibleTexts();
    void chooseLanguage(const char* value);
    void applyLanguage();
    void updateConnectState();
    void showPreview(QImage image, int index);
    // Every arrival takes the preview, as does a chosen row.
    void showStoredPicture(int row);
    bool deviceConnected() const;
    const KaDeviceInfo& devInfo() const;

    // The worker, owned by the link session; the window sends it its commands.
    KaDevice* device;
    QWidget* widgetBackground;
    QPoint dragLastPos;
    bool mousePressed;
    QWidget* widgetTitle;
    QPushButton* buttonConnect;
    QPushButton* buttonExport;
    QPushButton* buttonExportAll;
    QPushButton* buttonClose;
    QPushButton* buttonMinimize;
    QLabel* labelSeparator;
    QPushButton* buttonCh;
    QPushButton* buttonEn;
    QLabel* labelUnderline;
    QPushButton* buttonHelp;
    QLabel* labelStatusIcon;
    QLabel* labelStatusText;
    QLabel* labelDeviceInfo;
    QLabel* labelLogo;
    QListWidget* listWidget;
    // Every stored picture since the connection; the list shows them in batches from the event
    // loop, so the store may be ahead of it.
    PictureStore* pictureStore;
    QList<QImage> storedImages() const;
    QList<int> storedImageIndexes() const;
    // Rows for what the store holds beyond the list, in batches.
    PictureRows* pictureRows;
    // Export, Export All and the originals; one at a time.
    std::unique_ptr<ExportCommands> exportCommands;
    // Connect's text, the status icon and text, the device's line or the failure's reason.
    std::unique_ptr<StatusColumn> statusColumn;
    // The picture in the preview; a null image until the first one is shown.
    const QImage& currentImage() const;
    QLabel* labelFrame;
    QLabel* labelPreview;
    QLabel* labelImageNumber;
    TransferStatusLabel* labelTransfer;
    // Connection, failure reason, the stored transfer's phase and the current picture's requests.
    LinkSession* linkSession;
    // What the preview shows: the chosen picture, one under way, the last current picture.
    PreviewArea* previewArea;
    // The originals' menu of the list and the preview.
    OriginalsMenu* originalsMenu;
    // Each picture saved as it enters the store, on a thread of its own, when the user chose a folder.
    AutoSave* autoSave;
    // Made when first asked for; it follows the window's language.
    HelpWindow* helpWindow;
    // The viewer, opened from the list, the preview and their menus.
    ViewerOpener* viewerOpener;
};

#endif // MAINWINDOW_H
