#ifndef CURRENTPICTURECONTROL_H
#define CURRENTPICTURECONTROL_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class TransferStatusLabel;

// Requests for the device's current picture, one at a time or as a live view that asks for the
// next picture as soon as one is complete. Tells the transfer line how they go; the window decides
// whether a request may be sent at all.
class CurrentPictureControl : public QObject
{
    Q_OBJECT

public:
    explicit CurrentPictureControl(TransferStatusLabel* line, QObject* parent = nullptr);

    bool isLive() const { return live; }
    // A request was sent and its picture has not ended yet.
    bool isPending() const { return pending; }

public slots:
    void request();
    void startLive();
    // Toggled off: the picture on its way still arrives, no further one is asked for.
    void stopLive();
    void frameStarted(bool current);
    void pictureArrived();
    void pictureDropped(qint64 received, qint64 expected);
    void disconnected();

signals:
    void signalRequest();

private:
    void ask();
    void answerMissing();

    TransferStatusLabel* line;
    bool live = false;
    bool pending = false;
    // Toggled off with a picture on its way: its arrival leaves the line as it is.
    bool stopping = false;
    int livePictures = 0;
    QElapsedTimer clockLive;
    // Runs out when the device has not begun a current picture in time.
    QTimer timerAnswer;
};

#endif // CURRENTPICTURECONTROL_H
