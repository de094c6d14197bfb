#ifndef STOREDTRANSFER_H
#define STOREDTRANSFER_H

#include <QObject>
#include <QTimer>

// Whether the device is sending its stored pictures: from the request after a connection until
// the device says it has no more, a picture was dropped, the link closed, or the line has been
// quiet for two seconds since the last stored picture grew. The device answers in turn, so a
// current picture asked for meanwhile would wait behind the stored ones. A program that asks on
// its own may give the device's first answer a little longer.
class StoredTransfer : public QObject
{
    Q_OBJECT

public:
    explicit StoredTransfer(QObject* parent = nullptr);

    bool isRunning() const { return timerQuiet.isActive(); }

public slots:
    // The stored pictures were asked for, or one of them began, grew or came whole.
    void activity();
    // The stored pictures were asked for: the transfer ends if nothing comes within three seconds.
    void requested();
    void end();

signals:
    void signalFinished();

private:
    QTimer timerQuiet;
};

#endif // STOREDTRANSFER_H
