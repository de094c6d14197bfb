#ifndef KASIM_DEVICESIMULATOR_H
#define KASIM_DEVICESIMULATOR_H

#include "simimage.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <optional>

class QSocketNotifier;

// Plays the imaging device on a pseudo-terminal, which the host opens as its serial port, or on a
// real serial port. Never blocks its thread: everything runs from the event loop, so a host port in
// the same thread works. Settings may change at any time and apply from the next command on.
class DeviceSimulator : public QObject
{
    Q_OBJECT

public:
    // 460800 baud, 8N1: ten bits on the line per byte.
    static constexpr int lineRate = 46080;

    explicit DeviceSimulator(QObject* parent = nullptr);
    ~DeviceSimulator() override;

    // Opens a fresh pty; the host opens portName(). Any link already open is hung up first.
    bool openPty();
    // Opens a real serial port at 460800 8N1 raw; the peer counts as present from the start.
    bool openDevice(const QString& path);
    // Drops the link like a pulled cable: the host's port fails. Emits nothing.
    void hangUp();

    bool isOpen() const { return m_fd >= 0; }
    bool isPeerOpen() const { return m_peerOpen; }
    QString portName() const { return m_portName; }
    QString errorString() const { return m_error; }

    void setInfoLines(const QStringList& lines) { m_infoLines = lines; }
    void setInfoDelay(int ms) { m_infoDelayMs = ms; }
    // A silent device never answers the info request.
    void setSilent(bool silent) { m_silent = silent; }
    void setStoredImages(const QList<SimImage>& images) { m_storedImages = images; }
    // Without a current image the current-image request goes unanswered.
    void setCurrentImage(const std::optional<SimImage>& image) { m_currentImage = image; }
    // Each answer to the current-image request shows the picture moved on by this many columns
    // from the last, so that a live view can be seen to move; 0 sends the same picture each time.
    void setCurrentStep(int columns) { m_currentStep = columns; }
    // Paced output trickles at lineRate; otherwise as fast as the host reads.
    void setPaced(bool paced);

    // Fault injection; each stays in force until changed.
    void setJunkBeforeReply(const QByteArray& junk) { m_junk = junk; }
    void setHeaderBppOverride(std::optional<int> bpp) { m_headerBpp = bpp; }
    // Cuts image frame number `frame` of each transfer (0 = first) after `pixelBytes` pixel bytes and
    // sends nothing more of that transfer.
    void setCutShort(std::optional<int> pixelBytes, int frame = 0);

    // Output is dropped while no host has the port open: nobody would receive it.
    void sendHeartbeat();
    void sendRaw(const QByteArray& bytes);

    QList<QByteArray> commands() const { return m_commands; }
    QByteArray receivedBytes() const { return m_received; }

signals:
    // A host opened the pty.
    void peerOpened();
    // The host closed the pty, or the real port failed; pending output is discarded.
    void peerClosed();
    void commandReceived(const QByteArray& command);
    // Everything queued has gone into the port.
    void outputDrained();

private:
    void adoptFd(int fd, const QString& name, bool pty);
    void resetSlave();
    bool takeSlaveCloses();
    void onSlaveClosed();
    // Whether the host closed the slave since its session began.
    bool hostClosed();
    bool masterHungUp() const;
    void checkPeer();
    void onReadable();
    bool takeCommands();
    void peerGone();
    void respond(const QByteArray& command);
    void sendImages(const QList<SimImage>& images, bool stored);
    void queue(const QByteArray& bytes);
    void scheduleWrite();
    void writeOut();
    void stopOutput();

    int m_fd = -1;
    bool m_isPty = false;
    bool m_peerOpen = false;
    // Bumped whenever the link drops, so work started for an earlier host is abandoned.
    quint64 m_session = 0;
    QString m_portName;
    QString m_error;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    // Closes of the pty's slave, seen as they happen: a host that closes and reopens at once leaves
    // no hang-up for the master to show.
    int m_watchFd = -1;
    QSocketNotifier* m_watchNotifier = nullptr;
    bool m_hostClosed = false;
    // Children, so they follow the simulator to another thread.
    QTimer m_peerTimer{this};
    QTimer m_kickTimer{this};
    QTimer m_paceTimer{this};
    QElapsedTimer m_paceClock;
    qint64 m_paceLastNs = 0;
    double m_paceBudget = 0;

    std::deque<QByteArray> m_out;
    int m_outOffset = 0;
    QByteArray m_input;
    QByteArray m_received;
    QList<QByteArray> m_commands;

    QStringList m_infoLines{"KA-100", "SN 0001 FW 1.0", "1024 images", "ok"};
    int m_infoDelayMs = 0;
    bool m_silent = false;
    QList<SimImage> m_storedImages;
    std::optional<SimImage> m_currentImage;
    int m_currentStep = 0;
    int m_currentAnswers = 0;
    bool m_paced = false;
    QByteArray m_junk;
    std::optional<int> m_headerBpp;
    std::optional<int> m_cutPixelBytes;
    int m_cutFrame = 0;
};

#endif
