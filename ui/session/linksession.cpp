#include "ui/session/linksession.h"

#include "device/kadevice.h"
#include "ui/session/currentpicturecontrol.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

namespace {
// How long closing waits for the worker, which may be stuck in a call to the port.
const unsigned long kWorkerStopMs = 3000;
} // namespace

LinkSession::LinkSession(TransferStatusLabel* line, QObject* parent)
    : QObject(parent), line(line), linkDevice(new KaDevice(nullptr)), thread(new QThread(nullptr)),
      current(new CurrentPictureControl(line, this))
{
    qRegisterMetaType<KaDeviceInfo>("KaDeviceInfo");
    // Deferred deletion still runs after the loop ends, so the port closes on its own thread.
    connect(thread, &QThread::finished, linkDevice, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
    linkDevice->moveToThread(thread);
    wireDevice();
}

LinkSession::~LinkSession()
{
    shutDown();
}

void LinkSession::wireDevice()
{
    KaDevice* device = linkDevice;
    connect(device, &KaDevice::s_device_connect, this, &LinkSession::deviceConnected);
    connect(device, &KaDevice::s_link_failure, this, &LinkSession::linkFailed);
    connect(device, &KaDevice::s_frame_started, this,
            [this](bool isCurrent, int index, int width, int height) {
                if (!isCurrent)
                    storedTransfer.activity();
                current->frameStarted(isCurrent);
                frame = Frame{isCurrent, index, width, height};
                emit signalFrameStarted(isCurrent, index, width, height);
            });
    connect(device, &KaDevice::s_rows_arrived, this, &LinkSession::signalRowsArrived);
    connect(device, &KaDevice::s_transfer_progress, this,
            [this](int index, qint64 received, qint64 expected) {
                storedTransfer.activity();
                line->showProgress(index, received, expected);
            });
    connect(device, &KaDevice::s_recv_stored_image, this, [this](int index, QImage* img) {
        storedTransfer.activity();
        line->pictureArrived();
        endFrame(true);
        emit signalStoredImage(index, img);
    });
    connect(device, &KaDevice::s_transfer_dropped, this, [this](int index, qint64 received, qint64 expected) {
        line->pictureDropped(index, received, expected);
        storedTransfer.end();
        endFrame(false);
    });
    connect(device, &KaDevice::s_stored_images_end, &storedTransfer, &StoredTransfer::end);
    connect(device, &KaDevice::s_recv_current_image, this, [this](QImage* img) {
        const QImage picture = img ? *img : QImage();
        delete img;
        endFrame(true);
        emit signalCurrentImage(picture);
        current->pictureArrived();
    });
    connect(device, &KaDevice::s_current_dropped, this, [this](qint64 received, qint64 expected) {
        endFrame(false);
        current->pictureDropped(received, expected);
    });
    connect(&storedTransfer, &StoredTransfer::signalFinished, line, &TransferStatusLabel::transferFinished);
    connect(current, &CurrentPictureControl::signalRequest, device, &KaDevice::get_current_image_slot);
}

void LinkSession::endFrame(bool complete)
{
    frame.reset();
    emit signalFrameEnded(complete);
}

void LinkSession::shutDown()
{
    if (!thread)
        return;
    // Nothing more is sent to the device, and the port is closed.
    thread->quit();
    if (thread->wait(kWorkerStopMs)) {
        delete thread;
    } else {
        // Deleting a running thread aborts the program: thread and device are left to its end.
        qDebug() << "worker thread still running after" << kWorkerStopMs << "ms, left behind";
    }
    thread = nullptr;
    // Pictures the worker sent before it stopped still wait in queued calls, and a call dropped
    // would leave its picture unfreed: they are handed on now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

std::optional<TransferStatusLabel::Refusal> LinkSession::currentPictureRefusal() const
{
    if (!connected)
        return TransferStatusLabel::Refusal::NotConnected;
    // The device answers in turn: asked now, the picture would wait behind the stored ones.
    if (storedTransfer.isRunning())
        return TransferStatusLabel::Refusal::StoredArriving;
    return std::nullopt;
}

bool LinkSession::requestCurrentPicture()
{
    std::optional<TransferStatusLabel::Refusal> refusal = currentPictureRefusal();
    if (!refusal && current->isPending())
        refusal = TransferStatusLabel::Refusal::AlreadyAsked;
    if (refusal) {
        line->currentRefused(*refusal);
        return false;
    }
    current->request();
    return true;
}

bool LinkSession::toggleLiveView()
{
    if (current->isLive()) {
        current->stopLive();
        return false;
    }
    const std::optional<TransferStatusLabel::Refusal> refusal = currentPictureRefusal();
    if (refusal) {
        line->currentRefused(*refusal);
        return false;
    }
    current->startLive();
    return true;
}

void LinkSession::connectPressed()
{
    lastFailure.reset();
}

void LinkSession::deviceConnected(bool isConnected, int error, KaDeviceInfo deviceInfo)
{
    connected = isConnected;
    info = deviceInfo;
    if (connected) {
        lastFailure.reset();
        line->beginTransfer();
        storedTransfer.activity();
    } else {
        storedTransfer.end();
        current->disconnected();
    }
    // The worker forgets a picture cut off with the connection, whichever way it went.
    if (frame)
        endFrame(false);
    emit signalDeviceConnect(isConnected, error, deviceInfo);
}

void LinkSession::linkFailed(KaLinkFailure failure)
{
    // The disconnected report follows and shows it.
    lastFailure = failure;
}
