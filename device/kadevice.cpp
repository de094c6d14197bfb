#include "device/kadevice.h"

#include <QTimer>

namespace {
const int kHandshakeTimeoutMs = 600;
}

KaDevice::KaDevice(QObject* parent)
    : QObject(parent), serial_port(new QSerialPort(this)), handshake_timer(new QTimer(this)),
      is_connected(false), info_received(false), parse_mode(PARSE_CMD), line_buf(), line_len(0), info_line(0),
      dev_info(), si_state(0), si_width(0), si_height(0), si_bpp(0), si_index(0), si_image(nullptr),
      si_bits(nullptr), si_count(0), ci_state(0), ci_width(0), ci_height(0), ci_bpp(0), ci_image(nullptr),
      ci_bits(nullptr), ci_count(0), transfer_timer(new QTimer(this)), transfer_quiet(), transfer_frame(0),
      rows_reported(0), transfer_seen_frame(0), transfer_seen_position(0)
{
    handshake_timer->setSingleShot(true);
    handshake_timer->setInterval(kHandshakeTimeoutMs);
    connect(handshake_timer, SIGNAL(timeout()), this, SLOT(check_connect_state_slot()));
    connect(serial_port, SIGNAL(readyRead()), this, SLOT(serial_data_handle_slot()));
    connect(serial_port, SIGNAL(errorOccurred(QSerialPort::SerialPortError)), this,
            SLOT(serial_error_handle_slot()));
    init_transfer_watch();
    // Receivers on other threads get the failure queued.
    qRegisterMetaType<KaLinkFailure>("KaLinkFailure");
}

KaDevice::~KaDevice()
{
    // Images still being filled were never handed out, so they are ours to free.
    delete si_image;
    delete ci_image;
}

void KaDevice::reset_receive_state()
{
    transfer_timer->stop();
    parse_mode = PARSE_CMD;
    line_len = 0;
    info_line = 0;
    si_state = 0;
    ci_state = 0;
    delete si_image;
    si_image = nullptr;
    si_bits = nullptr;
    delete ci_image;
    ci_image = nullptr;
    ci_bits = nullptr;
}
