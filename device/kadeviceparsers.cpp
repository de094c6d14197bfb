// The receive side of KaDevice: the dispatcher and the four byte-wise parsers.
#include "device/kadevice.h"
#include "device/kaframeheader.h"

#include <QDebug>
#include <QMetaMethod>
#include <QTimer>
#include <QtEndian>
#include <cstring>

namespace {

const qint32 kLineMax = 31;
// At the 46,080 B/s line rate 64 MiB take 24 minutes to arrive: a header asking for more image
// memory is noise, and must not reserve gigabytes.
const qint64 kMaxFrameImageBytes = 64 * 1024 * 1024;

bool lineStartsWith(const char* line, qint32 len, const char* word)
{
    const qint32 wordLen = qint32(std::strlen(word));
    return len >= wordLen && std::memcmp(line, word, size_t(wordLen)) == 0;
}

qint32 wordAt(const char* buf, int offset)
{
    return qFromBigEndian<qint32>(buf + offset);
}

// Pixel bytes of a frame, placed row by row into an image whose rows may be padded.
// Returns how many of the given bytes belong to the frame; count grows by as many.
qint64 copyPixels(const QImage& image, uchar* bits, qint32 bpp, qint32& count, const char* data, qint64 size)
{
    const qint32 rowLength = image.width() * bpp;
    const qint32 total = rowLength * image.height();
    const qint64 bytesPerLine = image.bytesPerLine();
    qint64 taken = 0;
    while (taken < size && count < total) {
        const qint32 row = count / rowLength;
        const qint32 column = count % rowLength;
        const qint64 chunk = qMin<qint64>(rowLength - column, size - taken);
        std::memcpy(bits + row * bytesPerLine + column, data + taken, size_t(chunk));
        count += qint32(chunk);
        taken += chunk;
    }
    return taken;
}

// A new image for a frame header, or null when the header cannot make a sound one.
QImage* newFrameImage(qint32 width, qint32 height, qint32 bpp)
{
    QImage::Format format;
    switch (bpp) {
    case 1:
        format = QImage::Format_Indexed8;
        break;
    case 2:
        format = QImage::Format_RGB16;
        break;
    case 3:
        format = QImage::Format_RGB888;
        break;
    default:
        return nullptr;
    }
    // A header from a noisy line must never size an image we cannot fill safely.
    if (width <= 0 || height <= 0)
        return nullptr;
    // The image's own memory counts, its rows padded to 4 bytes: a 1-byte-wide picture
    // costs four times its pixel bytes. Divided, not multiplied: a row of 6 GB times a
    // height of 2 G does not fit even 64 bits.
    const qint64 bytesPerLine = (qint64(width) * bpp + 3) / 4 * 4;
    if (bytesPerLine > kMaxFrameImageBytes / height)
        return nullptr;
    QImage* image = new QImage(width, height, format);
    if (image->isNull()) {
        delete image;
        return nullptr;
    }
    return image;
}

} // namespace

void KaDevice::serial_data_handle_slot()
{
    const QByteArray batch = serial_port->readAll();
    handle_received_bytes(batch.constData(), batch.size());
}

void KaDevice::handle_received_bytes(const char* data, qint64 size)
{
    qint64 i = 0;
    while (i < size) {
        // The mode is read afresh for every byte: a parser that ends its reply hands the
        // very next byte back to the header-line parser.
        switch (parse_mode) {
        case PARSE_CMD:
            parser_cmd_data(data[i++]);
            break;
        case PARSE_INFO:
            parser_info_data(data[i++]);
            break;
        case PARSE_SI:
            // A run of pixel bytes is copied in one step; the result is the same as byte by byte.
            if (si_state == 1)
                i += take_stored_pixels(data + i, size - i);
            else
                parser_si_data(data[i++]);
            break;
        case PARSE_CI:
            if (ci_state == 1)
                i += take_current_pixels(data + i, size - i);
            else
                parser_ci_data(data[i++]);
            break;
        }
    }
}

void KaDevice::parser_cmd_data(char c)
{
    line_buf[line_len++] = c;
    const qint32 n = line_len;
    if (n == 1) {
        if (c != 'A')
            line_len = 0;
        return;
    }
    if (n == 2) {
        if (c != 'T')
            line_len = 0;
        return;
    }
    if (n > kLineMax) {
        line_len = 0;
        return;
    }
    if (c != '\n' || line_buf[n - 2] != '\r')
        return;

    if (lineStartsWith(line_buf, n, "AT_HB")) {
        // heartbeat: nothing to do
    } else if (lineStartsWith(line_buf, n, "AT_INFO")) {
        parse_mode = PARSE_INFO;
        info_line = 0;
    } else if (lineStartsWith(line_buf, n, "AT_SI")) {
        parse_mode = PARSE_SI;
        si_state = 0;
        start_transfer_watch();
    } else if (lineStartsWith(line_buf, n, "AT_NSI")) {
        emit s_stored_images_end();
    } else if (lineStartsWith(line_buf, n, "AT_CI")) {
        parse_mode = PARSE_CI;
        ci_state = 0;
        start_transfer_watch();
    }
    line_len = 0;
}

void KaDevice::parser_info_data(char c)
{
    line_buf[line_len++] = c;
    const qint32 n = line_len;
    if (n > kLineMax) {
        parse_mode = PARSE_CMD;
        line_len = 0;
        return;
    }
    if (c != '\n' || n == 1 || line_buf[n - 2] != '\r')
        return;

    const QString text = QString::fromLatin1(line_buf, n - 2);
    switch (++info_line) {
    case 1:
        dev_info.line1 = text;
        break;
    case 2:
        dev_info.line2 = text;
        break;
    case 3:
        dev_info.line3 = text;
        break;
    case 4:
        dev_info.line4 = text;
        parse_mode = PARSE_CMD;
        is_connected = true;
        info_received = true;
        handshake_timer->stop();
        emit s_device_connect(true, DEV_ERR_NONE, dev_info);
        break;
    }
    line_len = 0;
}

QImage* KaDevice::accept_frame_header(qint32& width, qint32& height, qint32& bpp)
{
    width = wordAt(line_buf, 0);
    height = wordAt(line_buf, 4);
    bpp = wordAt(line_buf, 8);
    line_len = 0;
    QImage* image = newFrameImage(width, height, bpp);
    if (!image)
        parse_mode = PARSE_CMD;
    return image;
}

void KaDevice::parser_si_data(char c)
{
    if (si_state == 1) {
        take_stored_pixels(&c, 1);
        return;
    }
    line_buf[line_len++] = c;
    if (line_len < kStoredHeaderSize)
        return;
    si_index = wordAt(line_buf, 12);
    si_image = accept_frame_header(si_width, si_height, si_bpp);
    if (!si_image)
        return;
    si_bits = si_image->bits();
    si_state = 1;
    si_count = 0;
    rows_reported = -1;
    emit s_frame_started(false, si_index, si_width, si_height);
}

void KaDevice::parser_ci_data(char c)
{
    if (ci_state == 1) {
        take_current_pixels(&c, 1);
        return;
    }
    line_buf[line_len++] = c;
    if (line_len < kCurrentHeaderSize)
        return;
    ci_image = accept_frame_header(ci_width, ci_height, ci_bpp);
    if (!ci_image)
        return;
    ci_bits = ci_image->bits();
    ci_state = 1;
    ci_count = 0;
    rows_reported = -1;
    emit s_frame_started(true, -1, ci_width, ci_height);
}

qint64 KaDevice::take_stored_pixels(const char* data, qint64 size)
{
    const qint64 taken = copyPixels(*si_image, si_bits, si_bpp, si_count, data, size);
    if (si_count == si_width * si_height * si_bpp)
        finish_stored_image();
    return taken;
}

qint64 KaDevice::take_current_pixels(const char* data, qint64 size)
{
    const qint64 taken = copyPixels(*ci_image, ci_bits, ci_bpp, ci_count, data, size);
    if (ci_count == ci_width * ci_height * ci_bpp)
        finish_current_image();
    return taken;
}

void KaDevice::finish_stored_image()
{
    QImage* image = si_image;
    si_image = nullptr;
    si_bits = nullptr;
    emit s_recv_stored_image(si_index, image);
    // The receiver owns the image; with nobody listening nobody would free it.
    if (!isSignalConnected(QMetaMethod::fromSignal(&KaDevice::s_recv_stored_image)))
        delete image;
    qDebug() << "image: " << si_index;
    parse_mode = PARSE_CMD;
    line_len = 0;
}

void KaDevice::finish_current_image()
{
    QImage* image = ci_image;
    ci_image = nullptr;
    ci_bits = nullptr;
    emit s_recv_current_image(image);
    if (!isSignalConnected(QMetaMethod::fromSignal(&KaDevice::s_recv_current_image)))
        delete image;
    qDebug() << "current image";
    parse_mode = PARSE_CMD;
    line_len = 0;
}
