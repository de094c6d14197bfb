#include "kapull/pullsession.h"

#include "core/imagefile.h"
#include "core/linkfailuretext.h"
#include "core/originalpicture.h"
#include "kapull/exitstatus.h"

#include <QDateTime>
#include <QTextStream>

namespace {
// The window asks for the stored pictures this long after the handshake, too.
const int kStoredRequestDelayMs = 50;
const int kCurrentAnswerMs = 3000;

QString bytesPerPixel(const QImage& image)
{
    const int bytes = image.depth() / 8;
    return bytes == 1 ? QStringLiteral("1 byte per pixel") : QStringLiteral("%1 bytes per pixel").arg(bytes);
}
} // namespace

PullSession::PullSession(const PullOptions& chosen, QTextStream& out, QTextStream& err, bool showProgress,
                         QObject* parent)
    : QObject(parent), options(chosen), out(out), err(err), progress(err, showProgress)
{
    current_wait.setSingleShot(true);
    current_wait.setInterval(kCurrentAnswerMs);
    connect(&current_wait, &QTimer::timeout, this, [this] {
        KaLinkFailure silent;
        silent.reason = KaLinkFailure::NoAnswer;
        silent.port_name = options.port;
        fail(LinkFailureText::brief(silent), ExitNoAnswer);
    });
    connect(&device, &KaDevice::s_link_failure, this, [this](const KaLinkFailure& f) { failure = f; });
    connect(&device, &KaDevice::s_device_connect, this,
            [this](bool is_connected, int, const KaDeviceInfo& info) { connected(is_connected, info); });
    connect(&device, &KaDevice::s_frame_started, this, [this](bool is_current, int index) {
        if (is_current) {
            current_wait.stop();
            return;
        }
        frame_open = true;
        transfer.activity();
        progress.pictureUnderWay(index, 0, 1, pictures_done);
    });
    connect(&device, &KaDevice::s_transfer_progress, this,
            [this](int index, qint64 received, qint64 expected) {
                transfer.activity();
                progress.pictureUnderWay(index, received, expected, pictures_done);
            });
    connect(&device, &KaDevice::s_recv_stored_image, this, &PullSession::storedPicture);
    connect(&device, &KaDevice::s_recv_current_image, this, &PullSession::currentPicture);
    connect(&device, &KaDevice::s_transfer_dropped, this,
            [this](int index, qint64 received, qint64 expected) {
                frame_open = false;
                cutOff(index < 0 ? QStringLiteral("A picture") : QStringLiteral("Image %1").arg(index),
                       received, expected);
                finish(ExitLost);
            });
    connect(&device, &KaDevice::s_current_dropped, this, [this](qint64 received, qint64 expected) {
        cutOff(QStringLiteral("The current picture"), received, expected);
    });
    connect(&device, &KaDevice::s_stored_images_end, &transfer, &StoredTransfer::end);
    // A picture under way gets the device's verdict, whole or dropped, which follows the quiet
    // seconds; the transfer ends with it.
    connect(&transfer, &StoredTransfer::signalFinished, this, [this] {
        if (!frame_open)
            finish(ExitDone);
    });
}

void PullSession::start()
{
    if (options.port.isEmpty())
        device.connect_device_slot();
    else
        device.connect_port_slot(options.port);
}

void PullSession::stop(int signal_number)
{
    progress.clear();
    err << "kapull: interrupted\n";
    err.flush();
    finish(interruptedStatus(signal_number));
}

void PullSession::connected(bool is_connected, KaDeviceInfo info)
{
    if (ended)
        return;
    if (!is_connected) {
        const KaLinkFailure reason = failure.value_or(KaLinkFailure{});
        fail(LinkFailureText::brief(reason) + QStringLiteral("\n") + LinkFailureText::full(reason),
             exitStatusFor(reason.reason));
        return;
    }
    out << info.line1 << '\n' << info.line2 << '\n' << info.line3 << '\n' << info.line4 << '\n';
    out.flush();
    if (options.mode == PullOptions::Mode::Current) {
        device.get_current_image_slot();
        current_wait.start();
        return;
    }
    archive = std::make_shared<PictureArchive>(options.folder, info);
    transfer.requested();
    QTimer::singleShot(kStoredRequestDelayMs, &device, &KaDevice::get_stored_image_slot);
}

void PullSession::storedPicture(int index, QImage* image)
{
    const std::unique_ptr<QImage> owned(image);
    frame_open = false;
    if (ended || !archive)
        return;
    transfer.activity();
    ArchivedPicture picture;
    picture.index = index;
    picture.image = *owned;
    picture.arrived = QDateTime::currentDateTime();
    const QImage kept_image = picture.image;
    writer.keep(archive, picture, [this, index, kept_image](const ArchiveResult& kept) {
        pictureKept(index, kept_image, kept);
    });
}

void PullSession::pictureKept(int index, const QImage& image, const ArchiveResult& kept)
{
    progress.clear();
    if (kept.outcome == ArchiveResult::Outcome::Failed) {
        err << "kapull: "
            << QStringLiteral("Image %1 could not be written in %2: %3")
                   .arg(index)
                   .arg(options.folder, kept.reason)
            << '\n';
        err.flush();
        write_failed = true;
        finish(ExitWriteFailed);
        return;
    }
    ++pictures_done;
    out << QStringLiteral("Image %1: %2x%3, %4, %5")
               .arg(index)
               .arg(image.width())
               .arg(image.height())
               .arg(bytesPerPixel(image))
               .arg(kept.outcome == ArchiveResult::Outcome::Written
                        ? kept.fileName
                        : kept.fileName + QStringLiteral(" already there"))
        << '\n';
    out.flush();
}

void PullSession::currentPicture(QImage* image)
{
    const std::unique_ptr<QImage> owned(image);
    if (ended || options.mode != PullOptions::Mode::Current)
        return;
    current_wait.stop();
    QString reason;
    if (!writeImageFile(originalPicture(*owned), options.file, &reason, "png")) {
        fail(QStringLiteral("%1 could not be written: %2").arg(options.file, reason), ExitWriteFailed);
        return;
    }
    out << QStringLiteral("Current picture: %1x%2, %3, %4")
               .arg(owned->width())
               .arg(owned->height())
               .arg(bytesPerPixel(*owned))
               .arg(options.file)
        << '\n';
    out.flush();
    finish(ExitDone);
}

void PullSession::cutOff(const QString& what, qint64 received, qint64 expected)
{
    progress.clear();
    err << QStringLiteral("kapull: %1 was cut off after %2 of %3 bytes and is not written\n")
               .arg(what)
               .arg(received)
               .arg(expected);
    err.flush();
    if (options.mode == PullOptions::Mode::Current)
        finish(ExitLost);
}

void PullSession::fail(const QString& reason, int status)
{
    if (ended)
        return;
    progress.clear();
    err << "kapull: " << reason << '\n';
    err.flush();
    finish(status);
}

void PullSession::finish(int status)
{
    if (ended)
        return;
    ended = true;
    current_wait.stop();
    // Every picture that came is written, or said why not, before the run ends.
    writer.drain();
    if (write_failed && status == ExitDone)
        status = ExitWriteFailed;
    // Sends "AT_DIS**", lets it leave and closes the port; nothing when the link is already down.
    device.disconnect_device_slot();
    emit finished(status);
}
