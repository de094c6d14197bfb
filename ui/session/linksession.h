#ifndef LINKSESSION_H
#define LINKSESSION_H

#include "core/storedtransfer.h"
#include "device/kadeviceinfo.h"
#include "device/kalinkfailure.h"
#include "ui/session/transferstatuslabel.h"

#include <QImage>
#include <QObject>
#include <optional>

class CurrentPictureControl;
class KaDevice;
class QThread;

// The link to the device on the window's side, and the only receiver of the device's signals:
// whether it is connected and to what, why the last attempt failed or the connection ended, the
// stored transfer's phase and the current picture's requests. It owns the device worker and its
// thread. The window, the transfer line and the preview show what it says, and it answers whether
// a current picture may be asked for.
class LinkSession : public QObject
{
    Q_OBJECT

public:
    // The picture the device is sending, stored or current.
    struct Frame
    {
        bool current = false;
        int index = 0; // a stored picture's number
        int width = 0;
        int height = 0;
    };

    LinkSession(TransferStatusLabel* line, QObject* parent);
    ~LinkSession() override;

    KaDevice* device() const { return linkDevice; }
    bool isConnected() const { return connected; }
    const KaDeviceInfo& deviceInfo() const { return info; }
    const std::optional<KaLinkFailure>& failure() const { return lastFailure; }
    CurrentPictureControl* currentPicture() const { return current; }
    // Why a current picture may not be asked for now; none when it may.
    std::optional<TransferStatusLabel::Refusal> currentPictureRefusal() const;
    // None between pictures.
    const std::optional<Frame>& frameUnderWay() const { return frame; }

    // F5: one current picture, unless the link or a request on its way refuses; the line says
    // why. True when it was asked for.
    bool requestCurrentPicture();
    // Shift+F5: the live view on or off. True when it started.
    bool toggleLiveView();

    // Stops the worker, within a bound, and hands on what it sent before it stopped.
    void shutDown();

public slots:
    // Connect was pressed: the last failure's reason is over.
    void connectPressed();
    // What the device reports; public, so a test can report as the device would.
    void deviceConnected(bool connected, int error, KaDeviceInfo info);
    void linkFailed(KaLinkFailure failure);

signals:
    void signalDeviceConnect(bool connected, int error, KaDeviceInfo info);
    // Whoever receives it owns the image.
    void signalStoredImage(int index, QImage* img);
    void signalCurrentImage(const QImage& picture);
    void signalFrameStarted(bool current, int index, int width, int height);
    void signalRowsArrived(bool current, int firstRow, const QImage& rows);
    // The picture under way ended: complete just before it is handed on, or dropped.
    void signalFrameEnded(bool complete);

private:
    void wireDevice();
    void endFrame(bool complete);

    TransferStatusLabel* line;
    KaDevice* linkDevice;
    QThread* thread;
    StoredTransfer storedTransfer;
    CurrentPictureControl* current;
    bool connected = false;
    KaDeviceInfo info;
    std::optional<KaLinkFailure> lastFailure;
    std::optional<Frame> frame;
};

#endif // LINKSESSION_H
