#ifndef KABENCH_SIMTHREAD_H
#define KABENCH_SIMTHREAD_H

#include <QThread>

#include <functional>

class DeviceSimulator;

// The device simulator on a thread of its own, so the window's thread never writes the device's
// bytes, and the port discovery pointed at its pseudo-terminal.
class SimThread
{
public:
    SimThread();
    ~SimThread();
    SimThread(const SimThread&) = delete;
    SimThread& operator=(const SimThread&) = delete;

    bool isOpen() const { return open; }
    // Runs the call on the simulator's thread and returns when it is done.
    void call(const std::function<void(DeviceSimulator&)>& work);

private:
    QThread thread;
    DeviceSimulator* sim;
    bool open = false;
};

#endif
