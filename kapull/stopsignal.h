#ifndef STOPSIGNAL_H
#define STOPSIGNAL_H

#include <QObject>

// Turns Ctrl-C and a request to terminate (SIGINT and SIGTERM; on Windows the console's
// Ctrl-C, Ctrl-Break and close) into a signal of the event loop, so the program can still say
// goodbye to the device and close its port. One per process.
class StopSignal : public QObject
{
    Q_OBJECT

public:
    explicit StopSignal(QObject* parent = nullptr);
    ~StopSignal() override;

signals:
    // The number of the signal that asked, for the exit status.
    void stopRequested(int signal_number);

private slots:
    void readPending();
};

#endif // STOPSIGNAL_H
