#include "device/portlist.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSerialPortInfo>

namespace {

QMutex providerMutex;
std::function<PortList()>& provider()
{
    static std::function<PortList()> instance;
    return instance;
}

} // namespace

PortList availablePortList()
{
    std::function<PortList()> current;
    {
        QMutexLocker lock(&providerMutex);
        current = provider();
    }
    if (current)
        return current();

    PortList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append(qMakePair(info.portName(), info.description()));
    return ports;
}

void setPortListProvider(std::function<PortList()> newProvider)
{
    QMutexLocker lock(&providerMutex);
    provider() = std::move(newProvider);
}
