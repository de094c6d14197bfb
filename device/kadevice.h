#ifndef KADEVICE_H
#define KADEVICE_H

#include "device/kadeviceinfo.h"
#include "device/kalinkfailure.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QSerialPort>

class QTimer;

enum ParseMode : qint32
{
    PARSE_CMD = 0,
    PARSE_INFO = 1,
    PARSE_SI = 2,
    PARSE_CI = 3,
};

enum
{
    DEV_ERR_NONE = 0,
    DEV_ERR_NO_PORT = 1,
    DEV_ERR_NO_ANSWER = 2,
};

// Owns the serial link to the imaging device: finds and opens its port, sends its commands and
// turns the received byte stream into device information and images. Lives on a worker thread
// and talks to the rest of the program only through its signals and slots.
class KaDevice : public QObject
{
    Q_OBJECT

public:
    explicit KaDevice(QObject* parent = nullptr);
    ~KaDevice() override;

    // Hands a received batch to the parsers, byte by byte in the mode each byte finds.
    void handle_received_bytes(const char* data, qint64 size);

signals:
    void s_device_connect(bool connected, int error, KaDeviceInfo dev_info);
    void s_recv_stored_image(int index, QImage* img);
    void s_recv_current_image(QImage* img);
    // Why the connection attempt failed or the connection ended; sent just before the
    // s_device_connect report of that failure.
    void s_link_failure(KaLinkFailure failure);
    // Pixel bytes of the stored picture under way, at most twenty times a second while they grow.
    void s_transfer_progress(int index, qint64 received, qint64 expected);
    // A picture whose bytes stopped before its end was dropped; index -1 when its header was cut.
    void s_transfer_dropped(int index, qint64 received, qint64 expected);
    // A frame header was accepted: a picture of this size is on its way (index -1: the current one).
    void s_frame_started(bool current, int index, int width, int height);
    // The rows of the picture under way completed since the last report, from first_row on; at most
    // twenty times a second, and only while someone listens.
    void s_rows_arrived(bool current, int first_row, QImage rows);
    // The current picture's bytes stopped before its end, and it was dropped.
    void s_current_dropped(qint64 received, qint64 expected);
    // The device has no further stored picture to send ("AT_NSI").
    void s_stored_images_end();

public slots:
    void connect_device_slot();
    // Opens this port, whatever its description, and holds the handshake on it.
    void connect_port_slot(QString port_name);
    void check_connect_state_slot();
    void disconnect_device_slot();
    void get_device_info_slot();
    void get_stored_image_slot();
    void delete_stored_image_slot(int index);
    void get_current_image_slot();
    void serial_data_handle_slot();
    void parser_cmd_data(char c);
    void parser_info_data(char c);
    void parser_ci_data(char c);
    void parser_si_data(char c);
    void serial_error_handle_slot();
    void send_at_cmd(QString cmd);
    void check_transfer_slot();

private:
    // Opens the port and starts the handshake; on failure says why in `failure`.
    bool open_port(const QString& port_name, KaLinkFailure& failure);
    void emit_link_failure(KaLinkFailure::Reason reason, QSerialPort::SerialPortError error,
                           const QString& error_text);
    void init_transfer_watch();
    // Watches a reply from its first line on: reports progress and drops a frame that went quiet.
    void start_transfer_watch();
    void drop_quiet_frame();
    void report_new_rows(bool stored);
    void reset_receive_state();
    // Decodes width, height and bytes per pixel of a frame header held in line_buf and makes the
    // image; a header that cannot make a sound image sends the stream back to header lines.
    QImage* accept_frame_header(qint32& width, qint32& height, qint32& bpp);
    qint64 take_stored_pixels(const char* data, qint64 size);
    qint64 take_current_pixels(const char* data, qint64 size);
    void finish_stored_image();
    void finish_current_image();

    QSerialPort* serial_port;
    // The open port's name as listed; the port itself keeps only a short form.
    QString link_port_name;
    // Ends the handshake of the attempt that started it, and only that one.
    QTimer* handshake_timer;
    bool is_connected;
    bool info_received;
    ParseMode parse_mode;
    char line_buf[32];
    qint32 line_len;
    qint32 info_line;
    KaDeviceInfo dev_info;
    qint32 si_state;
    qint32 si_width;
    qint32 si_height;
    qint32 si_bpp;
    qint32 si_index;
    QImage* si_image;
    uchar* si_bits;
    qint32 si_count;
    qint32 ci_state;
    qint32 ci_width;
    qint32 ci_height;
    qint32 ci_bpp;
    QImage* ci_image;
    uchar* ci_bits;
    qint32 ci_count;
    QTimer* transfer_timer;
    QElapsedTimer transfer_quiet;
    // Bumped per reply, so a new frame at the old one's position still counts as progress.
    quint32 transfer_frame;
    // Rows of the frame under way already sent with s_rows_arrived; -1 before the watch first saw it.
    qint32 rows_reported;
    quint32 transfer_seen_frame;
    qint64 transfer_seen_position;
};

#endif // KADEVICE_H
