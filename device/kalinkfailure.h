#ifndef KALINKFAILURE_H
#define KALINKFAILURE_H

#include <QMetaType>
#include <QSerialPort>
#include <QString>
#include <QStringList>

// Why a connection attempt failed or a connection ended, as far as the device can tell.
struct KaLinkFailure
{
    enum Reason
    {
        NoPort,     // no port whose description names the bridge
        PortDenied, // the bridge's port exists, but this user may not open it
        PortBusy,   // another program holds the port
        PortGone,   // the port vanished between listing and opening
        PortFailed, // the port could not be opened for another reason
        NoAnswer,   // the port opened, but the device did not answer in time
        Lost,       // the port failed while connected or during the handshake
    };

    Reason reason = NoPort;
    QString port_name;
    QSerialPort::SerialPortError port_error = QSerialPort::NoError;
    QString port_error_text;
    // "name (description)" of every port listed during the attempt.
    QStringList ports_seen;
};

Q_DECLARE_METATYPE(KaLinkFailure)

// The reason for a failed open: Qt reports a port held by someone else (lock file or EBUSY) and a
// port we may not touch alike, so the port file's own permissions tell them apart.
KaLinkFailure::Reason openFailureReason(const QString& port_name, QSerialPort::SerialPortError error);

// Whether an error the open port reports means the port failed. Qt also reports a cleared error
// (NoError), a wait that ran out (TimeoutError, e.g. Disconnect's bounded wait for its command), a
// setting the driver refused, and line errors in received bytes; none of them ends a connection.
bool endsConnection(QSerialPort::SerialPortError error);

#endif // KALINKFAILURE_H
