#include "simthread.h"

#include "device/portlist.h"
#include "devicesimulator.h"

SimThread::SimThread() : sim(new DeviceSimulator)
{
    open = sim->openPty();
    const QString portName = sim->portName();
    setPortListProvider([portName] {
        return PortList{qMakePair(portName, QStringLiteral("CP2102 USB to UART Bridge Controller"))};
    });
    sim->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, sim, &QObject::deleteLater);
    thread.start();
}

SimThread::~SimThread()
{
    setPortListProvider({});
    thread.quit();
    thread.wait();
}

void SimThread::call(const std::function<void(DeviceSimulator&)>& work)
{
    QMetaObject::invokeMethod(
        sim, [this, &work] { work(*sim); }, Qt::BlockingQueuedConnection);
}
