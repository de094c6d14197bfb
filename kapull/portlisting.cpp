#include "kapull/portlisting.h"

#include "device/portlist.h"

#include <QSerialPortInfo>
#include <QTextStream>

QString ListedPort::usbId() const
{
    if (!hasUsbId)
        return QStringLiteral("-");
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

bool ListedPort::looksLikeDevice() const
{
    // The rule port discovery applies (device/kadevicelink.cpp).
    return description.contains(QLatin1String("CP21"), Qt::CaseSensitive);
}

QList<ListedPort> listedPorts()
{
    const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
    QList<ListedPort> ports;
    for (const auto& pair : availablePortList()) {
        ListedPort port;
        port.name = pair.first;
        port.description = pair.second;
        for (const QSerialPortInfo& info : system) {
            if (info.portName() != pair.first && info.systemLocation() != pair.first)
                continue;
            port.manufacturer = info.manufacturer();
            port.serialNumber = info.serialNumber();
            port.hasUsbId = info.hasVendorIdentifier() && info.hasProductIdentifier();
            port.vendorId = info.vendorIdentifier();
            port.productId = info.productIdentifier();
        }
        ports << port;
    }
    return ports;
}

void printPorts(const QList<ListedPort>& ports, QTextStream& out)
{
    // A tab or line break inside a field would shift the columns.
    const auto field = [](const QString& text) {
        QString clean = text.simplified();
        return clean.isEmpty() ? QStringLiteral("-") : clean;
    };
    for (const ListedPort& port : ports) {
        out << field(port.name) << '\t' << field(port.description) << '\t' << field(port.manufacturer) << '\t'
            << field(port.serialNumber) << '\t' << port.usbId() << '\t'
            << (port.looksLikeDevice() ? "device" : "-") << '\n';
    }
    out.flush();
}
