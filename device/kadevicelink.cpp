// Port discovery, the connection lifecycle and the command channel of KaDevice.
#include "device/kadevice.h"
#include "device/portlist.h"

#include <QDebug>
#include <QRegExp>
#include <QTimer>

namespace {
const qint64 kCommandLength = 8;
// How long Disconnect lets its command leave before the port closes.
const qint64 kDisconnectWriteMs = 100;
} // namespace

void KaDevice::connect_device_slot()
{
    if (is_connected)
        return;
    if (serial_port->isOpen())
        return; // a handshake is under way

    const PortList ports = availablePortList();
    KaLinkFailure failure;
    for (const auto& port : ports)
        failure.ports_seen << (port.second.isEmpty()
                                   ? port.first
                                   : QStringLiteral("%1 (%2)").arg(port.first, port.second));
    QRegExp bridge(".*CP21.*", Qt::CaseSensitive, QRegExp::RegExp);
    for (const auto& port : ports) {
        if (!bridge.exactMatch(port.second))
            continue;
        qDebug() << port.first;
        qDebug() << port.second;
        // The last port that failed gives the reason; a later one that opens makes it moot.
        if (open_port(port.first, failure))
            return;
    }
    emit s_link_failure(failure);
    emit s_device_connect(false, DEV_ERR_NO_PORT, dev_info);
}

void KaDevice::connect_port_slot(QString port_name)
{
    if (is_connected || serial_port->isOpen())
        return;
    KaLinkFailure failure;
    failure.port_name = port_name;
    if (open_port(port_name, failure))
        return;
    emit s_link_failure(failure);
    emit s_device_connect(false, DEV_ERR_NO_PORT, dev_info);
}

bool KaDevice::open_port(const QString& port_name, KaLinkFailure& failure)
{
    serial_port->setPortName(port_name);
    serial_port->setBaudRate(460800, QSerialPort::AllDirections);
    serial_port->setDataBits(QSerialPort::Data8);
    serial_port->setStopBits(QSerialPort::OneStop);
    serial_port->setParity(QSerialPort::NoParity);
    serial_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_port->open(QIODevice::ReadWrite)) {
        failure.port_name = port_name;
        failure.port_error = serial_port->error();
        failure.port_error_text = serial_port->errorString();
        failure.reason = openFailureReason(port_name, failure.port_error);
        qDebug() << "open failed:" << port_name << failure.port_error << failure.port_error_text;
        return false;
    }

    link_port_name = port_name;
    // A reply cut off with the last connection must not eat this one's handshake.
    reset_receive_state();
    get_device_info_slot();
    handshake_timer->start();
    info_received = false;
    return true;
}

void KaDevice::check_connect_state_slot()
{
    if (info_received)
        return;
    if (serial_port->isOpen())
        serial_port->close();
    emit_link_failure(KaLinkFailure::NoAnswer, QSerialPort::NoError, QString());
    emit s_device_connect(false, DEV_ERR_NO_ANSWER, dev_info);
}

void KaDevice::disconnect_device_slot()
{
    if (!is_connected)
        return;
    if (serial_port->isOpen()) {
        send_at_cmd(QStringLiteral("AT_DIS**"));
        // Closing drops what the port still holds (Windows cancels a write under way), so the
        // command gets a moment to leave; a line that takes nothing more cannot hold us up.
        QElapsedTimer clock;
        clock.start();
        while (serial_port->bytesToWrite() > 0 && !clock.hasExpired(kDisconnectWriteMs))
            serial_port->waitForBytesWritten(int(qMax<qint64>(0, kDisconnectWriteMs - clock.elapsed())));
        // A port that failed meanwhile is closed, and its loss reported.
        if (!is_connected)
            return;
        serial_port->close();
    }
    handshake_timer->stop();
    is_connected = false;
    emit s_device_connect(false, DEV_ERR_NONE, dev_info);
}

void KaDevice::serial_error_handle_slot()
{
    const QSerialPort::SerialPortError error = serial_port->error();
    // A port that fails to open says so itself: there was no connection to lose.
    if (!endsConnection(error) || (!is_connected && !handshake_timer->isActive()))
        return;
    const QString error_text = serial_port->errorString();
    qDebug() << "connection lost:" << error << error_text;
    if (serial_port->isOpen())
        serial_port->close();
    // A handshake cut short gets its answer now; a check left pending could end a later attempt.
    if (handshake_timer->isActive()) {
        handshake_timer->stop();
        emit_link_failure(KaLinkFailure::Lost, error, error_text);
        emit s_device_connect(false, DEV_ERR_NO_ANSWER, dev_info);
        return;
    }
    if (is_connected) {
        is_connected = false;
        emit_link_failure(KaLinkFailure::Lost, error, error_text);
        emit s_device_connect(false, DEV_ERR_NONE, dev_info);
    }
}

void KaDevice::emit_link_failure(KaLinkFailure::Reason reason, QSerialPort::SerialPortError error,
                                 const QString& error_text)
{
    KaLinkFailure failure;
    failure.reason = reason;
    failure.port_name = link_port_name;
    failure.port_error = error;
    failure.port_error_text = error_text;
    emit s_link_failure(failure);
}

void KaDevice::get_device_info_slot()
{
    send_at_cmd(QStringLiteral("AT_INFO*"));
    qDebug() << "send cmd AT_INFO*";
}

void KaDevice::get_stored_image_slot()
{
    send_at_cmd(QStringLiteral("AT_GSI**"));
    qDebug() << "send cmd AT_GSI**";
}

void KaDevice::delete_stored_image_slot(int index)
{
    Q_UNUSED(index) // the device offers no way to delete a picture
}

void KaDevice::get_current_image_slot()
{
    send_at_cmd(QStringLiteral("AT_GCI**"));
    qDebug() << "send cmd AT_GCI**";
}

void KaDevice::send_at_cmd(QString cmd)
{
    if (!serial_port->isOpen())
        return;
    const QByteArray bytes = cmd.toLocal8Bit();
    // Commands are 8 bytes; a shorter text is never read past its end.
    serial_port->write(bytes.constData(), qMin(kCommandLength, qint64(bytes.size())));
}
