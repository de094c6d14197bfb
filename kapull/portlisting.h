#ifndef PORTLISTING_H
#define PORTLISTING_H

#include <QList>
#include <QString>

class QTextStream;

// One serial port as --list shows it.
struct ListedPort
{
    QString name;
    QString description;
    QString manufacturer;
    QString serialNumber;
    bool hasUsbId = false;
    quint16 vendorId = 0;
    quint16 productId = 0;

    // "10c4:ea60", as lsusb shows it; "-" for a port that is no USB device.
    QString usbId() const;
    // Whether port discovery would try it: the description names the bridge.
    bool looksLikeDevice() const;
};

// The ports port discovery sees, each with what the system knows of it beyond name and
// description; opens none.
QList<ListedPort> listedPorts();

// One line per port, tab-separated: name, description, manufacturer, serial number, VID:PID and
// "device" or "-"; an empty field is "-".
void printPorts(const QList<ListedPort>& ports, QTextStream& out);

#endif // PORTLISTING_H
