#include "device/kalinkfailure.h"

#ifdef Q_OS_UNIX
#include <QFile>
#include <unistd.h>
#endif

namespace {

bool mayOpenReadWrite(const QString& port_name)
{
#ifdef Q_OS_UNIX
    const QString path = port_name.startsWith('/') ? port_name : QStringLiteral("/dev/") + port_name;
    // The effective user decides, as it does for open(2).
    return ::euidaccess(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(port_name)
    return true; // Windows denies a port that another program holds
#endif
}

} // namespace

KaLinkFailure::Reason openFailureReason(const QString& port_name, QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::PermissionError:
        return mayOpenReadWrite(port_name) ? KaLinkFailure::PortBusy : KaLinkFailure::PortDenied;
    case QSerialPort::DeviceNotFoundError:
        return KaLinkFailure::PortGone;
    default:
        return KaLinkFailure::PortFailed;
    }
}

bool endsConnection(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
    case QSerialPort::WriteError:
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
    case QSerialPort::UnknownError:
        return true;
    default:
        return false;
    }
}
