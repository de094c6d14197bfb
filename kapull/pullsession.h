#ifndef PULLSESSION_H
#define PULLSESSION_H

#include "core/picturearchive.h"
#include "core/storedtransfer.h"
#include "device/kadevice.h"
#include "kapull/archivewriter.h"
#include "kapull/progressline.h"
#include "kapull/pulloptions.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class QTextStream;

// One run of kapull against the device: connects (to the named port or as the window finds it),
// takes the stored pictures into the folder or the current picture into its file, then tells the
// device goodbye and closes the port. Lines for the user go to `out`, reasons and progress to
// `err`. The device lives on this object's thread.
class PullSession : public QObject
{
    Q_OBJECT

public:
    PullSession(const PullOptions& chosen, QTextStream& out, QTextStream& err, bool showProgress,
                QObject* parent = nullptr);

    void start();

public slots:
    // Ctrl-C or a request to terminate: ends as soon as the device has been told.
    void stop(int signal_number);

signals:
    void finished(int status);

private:
    void connected(bool is_connected, KaDeviceInfo info);
    void storedPicture(int index, QImage* image);
    void pictureKept(int index, const QImage& image, const ArchiveResult& kept);
    void currentPicture(QImage* image);
    void cutOff(const QString& what, qint64 received, qint64 expected);
    void fail(const QString& reason, int status);
    void finish(int status);

    const PullOptions options;
    QTextStream& out;
    QTextStream& err;
    ProgressLine progress;
    KaDevice device;
    StoredTransfer transfer;
    // Ends the wait for a current picture that never begins.
    QTimer current_wait;
    std::optional<KaLinkFailure> failure;
    std::shared_ptr<PictureArchive> archive;
    int pictures_done = 0;
    bool write_failed = false;
    bool frame_open = false; // a stored picture began and has not come or been dropped
    bool ended = false;
    // Last, so it is gone, its writes finished, before what its answers use.
    ArchiveWriter writer{this};
};

#endif // PULLSESSION_H
