#include "devicesimulator.h"

#include "protocolframes.h"

#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

namespace {

// While no host has the pty open the master reports a hang-up, and a read notifier would fire
// without pause, so we look for a host on a timer instead.
constexpr int peerPollMs = 10;
constexpr int paceTickMs = 5;
// A late tick may be caught up, but by no more than this many bytes at once.
constexpr double paceBurstLimit = DeviceSimulator::lineRate / 10.0;

QString systemError(const QString& what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

DeviceSimulator::DeviceSimulator(QObject* parent) : QObject(parent)
{
    m_peerTimer.setInterval(peerPollMs);
    connect(&m_peerTimer, &QTimer::timeout, this, &DeviceSimulator::checkPeer);
    m_kickTimer.setSingleShot(true);
    m_kickTimer.setInterval(0);
    connect(&m_kickTimer, &QTimer::timeout, this, &DeviceSimulator::writeOut);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    m_paceTimer.setInterval(paceTickMs);
    connect(&m_paceTimer, &QTimer::timeout, this, &DeviceSimulator::writeOut);
}

DeviceSimulator::~DeviceSimulator()
{
    hangUp();
}

bool DeviceSimulator::openPty()
{
    hangUp();
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0) {
        m_error = systemError(QStringLiteral("posix_openpt"));
        return false;
    }
    char name[128];
    termios tio{};
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0 ||
        ::fcntl(fd, F_SETFL, O_NONBLOCK) != 0 || ::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0 ||
        ::tcgetattr(fd, &tio) != 0) {
        m_error = systemError(QStringLiteral("pty setup"));
        ::close(fd);
        return false;
    }
    // Settings made on the master apply to the slave: bytes pass unchanged and nothing echoes.
    ::cfmakeraw(&tio);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        m_error = systemError(QStringLiteral("pty raw mode"));
        ::close(fd);
        return false;
    }
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0 || ::inotify_add_watch(watch, name, IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        m_error = systemError(QStringLiteral("pty watch"));
        if (watch >= 0)
            ::close(watch);
        ::close(fd);
        return false;
    }
    adoptFd(fd, QString::fromLocal8Bit(name), true);
    m_watchFd = watch;
    m_watchNotifier = new QSocketNotifier(watch, QSocketNotifier::Read, this);
    connect(m_watchNotifier, &QSocketNotifier::activated, this, &DeviceSimulator::onSlaveClosed);
    resetSlave();
    m_peerTimer.start();
    return true;
}

bool DeviceSimulator::openDevice(const QString& path)
{
    hangUp();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = systemError(path);
        return false;
    }
    termios tio{};
    bool ok = ::tcgetattr(fd, &tio) == 0;
    if (ok) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        tio.c_cflag &= ~(CSTOPB | CRTSCTS);
        ok = ::cfsetispeed(&tio, B460800) == 0 && ::cfsetospeed(&tio, B460800) == 0 &&
             ::tcsetattr(fd, TCSANOW, &tio) == 0;
    }
    if (!ok) {
        m_error = systemError(path);
        ::close(fd);
        return false;
    }
    ::tcflush(fd, TCIOFLUSH);
    adoptFd(fd, path, false);
    return true;
}

void DeviceSimulator::hangUp()
{
    if (m_fd < 0)
        return;
    ++m_session;
    stopOutput();
    m_peerTimer.stop();
    // Later, not now: we may be inside one of their signals.
    for (QSocketNotifier* notifier : {m_readNotifier, m_writeNotifier, m_watchNotifier}) {
        if (!notifier)
            continue;
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
    m_watchNotifier = nullptr;
    if (m_watchFd >= 0)
        ::close(m_watchFd);
    m_watchFd = -1;
    ::close(m_fd);
    m_fd = -1;
    m_peerOpen = false;
    m_hostClosed = false;
    m_input.clear();
    m_portName.clear();
}

void DeviceSimulator::setPaced(bool paced)
{
    if (paced == m_paced)
        return;
    m_paced = paced;
    m_kickTimer.stop();
    m_paceTimer.stop();
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
    if (!m_out.empty())
        scheduleWrite();
}

void DeviceSimulator::setCutShort(std::optional<int> pixelBytes, int frame)
{
    m_cutPixelBytes = pixelBytes;
    m_cutFrame = frame;
}

void DeviceSimulator::sendHeartbeat()
{
    queue(ProtocolFrames::heartbeat());
}

void DeviceSimulator::sendRaw(const QByteArray& bytes)
{
    queue(bytes);
}

void DeviceSimulator::adoptFd(int fd, const QString& name, bool pty)
{
    m_fd = fd;
    m_portName = name;
    m_isPty = pty;
    m_peerOpen = !pty;
    m_error.clear();
    m_readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    m_readNotifier->setEnabled(m_peerOpen);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &DeviceSimulator::onReadable);
    m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &DeviceSimulator::writeOut);
}

// Bytes written to the master while no host holds the slave stay queued for the next host, so we
// open the slave ourselves and flush them. Closing it again also leaves the master hung up, the
// only sign that nobody is attached: a fresh pty shows no hang-up until its slave was opened once.
void DeviceSimulator::resetSlave()
{
    const int slave =
        ::open(QFile::encodeName(m_portName).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0)
        return;
    ::tcflush(slave, TCIFLUSH);
    ::close(slave);
    // Our own close is not a host's.
    takeSlaveCloses();
}

// Whether the slave was closed since the last look.
bool DeviceSimulator::takeSlaveCloses()
{
    bool closed = false;
    alignas(inotify_event) char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_watchFd, buf, sizeof buf);
        if (n <= 0)
            return closed;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buf + at);
            closed = closed || (event->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE));
            at += ssize_t(sizeof(inotify_event)) + event->len;
        }
    }
}

// A host that closes the port and opens it again at once may give the master no hang-up to read:
// its close ends its session all the same, so nothing meant for it reaches the next host. While
// nobody holds the slave, the hang-up's read ends the session once the host's last bytes are in.
void DeviceSimulator::onSlaveClosed()
{
    if (hostClosed() && !masterHungUp())
        peerGone();
}

bool DeviceSimulator::hostClosed()
{
    if (m_isPty && m_peerOpen && takeSlaveCloses())
        m_hostClosed = true;
    return m_hostClosed;
}

bool DeviceSimulator::masterHungUp() const
{
    pollfd p{m_fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP);
}

void DeviceSimulator::checkPeer()
{
    // Closes before this look belong to hosts that have gone; one that closes after it ends the
    // session it opens.
    takeSlaveCloses();
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0 || (p.revents & POLLHUP))
        return;
    m_peerTimer.stop();
    m_peerOpen = true;
    m_readNotifier->setEnabled(true);
    emit peerOpened();
    if (!m_input.isEmpty())
        takeCommands();
}

void DeviceSimulator::onReadable()
{
    char buf[4096];
    for (;;) {
        // With the slave open again, what is left to read may be the next host's: it is read in
        // a session of its own.
        if (hostClosed() && !masterHungUp()) {
            peerGone();
            return;
        }
        const bool hostAway = m_hostClosed;
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n > 0) {
            m_received.append(buf, static_cast<int>(n));
            if (hostAway && !masterHungUp()) {
                // A host opened the slave during the read: the bytes may hold its first command,
                // so they start its session.
                peerGone();
                m_input = QByteArray(buf, static_cast<int>(n));
                return;
            }
            m_input.append(buf, static_cast<int>(n));
            if (!takeCommands())
                return;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // A pty master reads EIO once the last host has closed the slave (after any bytes it
        // wrote); a real port fails when its adapter is unplugged.
        peerGone();
        return;
    }
}

// Returns false when a slot on commandReceived dropped the link.
bool DeviceSimulator::takeCommands()
{
    const quint64 session = m_session;
    for (;;) {
        const int at = m_input.indexOf("AT_");
        if (at < 0) {
            // A command may start with the last bytes of this read.
            m_input = m_input.right(2);
            return true;
        }
        m_input.remove(0, at);
        if (m_input.size() < ProtocolFrames::commandSize)
            return true;
        const QByteArray command = m_input.left(ProtocolFrames::commandSize);
        m_input.remove(0, ProtocolFrames::commandSize);
        m_commands.append(command);
        respond(command);
        emit commandReceived(command);
        if (session != m_session)
            return false;
    }
}

void DeviceSimulator::peerGone()
{
    if (!m_isPty) {
        m_error = QStringLiteral("%1: device lost").arg(m_portName);
        hangUp();
        emit peerClosed();
        return;
    }
    ++m_session;
    m_hostClosed = false;
    stopOutput();
    m_input.clear();
    m_readNotifier->setEnabled(false);
    m_peerOpen = false;
    resetSlave();
    m_peerTimer.start();
    emit peerClosed();
}

void DeviceSimulator::respond(const QByteArray& command)
{
    if (command == ProtocolFrames::infoCommand) {
        if (m_silent)
            return;
        if (m_infoDelayMs <= 0) {
            queue(m_junk);
            queue(ProtocolFrames::infoReply(m_infoLines));
            return;
        }
        const quint64 session = m_session;
        QTimer::singleShot(m_infoDelayMs, this, [this, session] {
            if (session != m_session)
                return;
            queue(m_junk);
            queue(ProtocolFrames::infoReply(m_infoLines));
        });
    } else if (command == ProtocolFrames::storedImagesCommand) {
        sendImages(m_storedImages, true);
    } else if (command == ProtocolFrames::currentImageCommand && m_currentImage) {
        sendImages({m_currentImage->shifted(m_currentStep * m_currentAnswers++)}, false);
    }
}

void DeviceSimulator::sendImages(const QList<SimImage>& images, bool stored)
{
    queue(m_junk);
    for (int i = 0; i < images.size(); ++i) {
        SimImage head = images[i];
        if (m_headerBpp)
            head.bpp = *m_headerBpp;
        queue(stored ? ProtocolFrames::storedImageHead(head) : ProtocolFrames::currentImageHead(head));
        // Pixels are queued shared, not copied: a long transfer costs no extra memory.
        if (m_cutPixelBytes && i == m_cutFrame) {
            queue(images[i].pixels.left(*m_cutPixelBytes));
            return;
        }
        queue(images[i].pixels);
    }
    if (stored)
        queue(ProtocolFrames::noStoredImages());
}

void DeviceSimulator::queue(const QByteArray& bytes)
{
    if (bytes.isEmpty() || m_fd < 0)
        return;
    if (!m_peerOpen) {
        // The host may have opened the port since the last look.
        checkPeer();
        if (!m_peerOpen)
            return;
    }
    m_out.push_back(bytes);
    scheduleWrite();
}

// Writes always happen from the event loop, so outputDrained never fires inside a send call.
void DeviceSimulator::scheduleWrite()
{
    if (m_paced) {
        if (!m_paceTimer.isActive()) {
            m_paceClock.start();
            m_paceLastNs = 0;
            m_paceBudget = 0;
            m_paceTimer.start();
        }
    } else if (!m_writeNotifier->isEnabled()) {
        m_kickTimer.start();
    }
}

void DeviceSimulator::writeOut()
{
    if (hostClosed()) {
        stopOutput();
        if (!masterHungUp())
            peerGone();
        return;
    }
    if (m_paced) {
        const qint64 now = m_paceClock.nsecsElapsed();
        m_paceBudget = std::min(paceBurstLimit, m_paceBudget + (now - m_paceLastNs) * (lineRate / 1e9));
        m_paceLastNs = now;
    }
    while (!m_out.empty()) {
        const QByteArray& chunk = m_out.front();
        qint64 want = chunk.size() - m_outOffset;
        if (m_paced)
            want = std::min(want, static_cast<qint64>(m_paceBudget));
        if (want <= 0)
            return;
        const ssize_t n = ::write(m_fd, chunk.constData() + m_outOffset, static_cast<size_t>(want));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                // The pty buffer is full until the host reads; paced output simply retries next tick.
                m_writeNotifier->setEnabled(!m_paced);
                return;
            }
            peerGone();
            return;
        }
        if (m_paced)
            m_paceBudget -= n;
        m_outOffset += static_cast<int>(n);
        if (m_outOffset == chunk.size()) {
            m_out.pop_front();
            m_outOffset = 0;
        }
    }
    m_writeNotifier->setEnabled(false);
    m_paceTimer.stop();
    emit outputDrained();
}

void DeviceSimulator::stopOutput()
{
    m_out.clear();
    m_outOffset = 0;
    m_kickTimer.stop();
    m_paceTimer.stop();
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
}
