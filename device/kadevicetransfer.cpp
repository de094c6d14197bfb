// The transfer watch of KaDevice: progress of the picture under way, and the end of a frame whose
// bytes stopped. It looks at the parser's state on a timer, so receiving costs nothing extra.
#include "device/kadevice.h"
#include "device/kaframeheader.h"

#include <QDebug>
#include <QMetaMethod>
#include <QTimer>

namespace {
const int kTransferTickMs = 50;
const qint64 kQuietDropMs = 2000;
} // namespace

void KaDevice::init_transfer_watch()
{
    transfer_timer->setInterval(kTransferTickMs);
    connect(transfer_timer, SIGNAL(timeout()), this, SLOT(check_transfer_slot()));
}

void KaDevice::start_transfer_watch()
{
    ++transfer_frame;
    transfer_seen_frame = transfer_frame;
    transfer_seen_position = 0;
    transfer_quiet.start();
    if (!transfer_timer->isActive())
        transfer_timer->start();
}

void KaDevice::check_transfer_slot()
{
    if (parse_mode != PARSE_SI && parse_mode != PARSE_CI) {
        transfer_timer->stop();
        return;
    }
    const bool stored = parse_mode == PARSE_SI;
    const bool in_pixels = (stored ? si_state : ci_state) == 1;
    // Header bytes count up to the header's size, pixel bytes from beyond it.
    const qint64 position =
        in_pixels ? qint64(kStoredHeaderSize) + 1 + (stored ? si_count : ci_count) : line_len;
    // Rows first: once the line shows a count, the rows it counts are on their way too.
    if (in_pixels)
        report_new_rows(stored);
    if (transfer_frame != transfer_seen_frame || position != transfer_seen_position) {
        transfer_seen_frame = transfer_frame;
        transfer_seen_position = position;
        transfer_quiet.start();
        if (stored && in_pixels)
            emit s_transfer_progress(si_index, si_count, qint64(si_width) * si_height * si_bpp);
        return;
    }
    if (transfer_quiet.elapsed() >= kQuietDropMs)
        drop_quiet_frame();
}

void KaDevice::drop_quiet_frame()
{
    const bool stored = parse_mode == PARSE_SI;
    const bool in_pixels = (stored ? si_state : ci_state) == 1;
    if (!in_pixels) {
        qDebug() << (stored ? "image dropped: header" : "current image dropped: header") << "received"
                 << line_len << "of" << (stored ? kStoredHeaderSize : kCurrentHeaderSize);
        if (stored)
            emit s_transfer_dropped(-1, 0, 0);
        else
            emit s_current_dropped(0, 0);
    } else if (stored) {
        const qint64 expected = qint64(si_width) * si_height * si_bpp;
        qDebug() << "image dropped:" << si_index << "received" << si_count << "of" << expected;
        emit s_transfer_dropped(si_index, si_count, expected);
    } else {
        const qint64 expected = qint64(ci_width) * ci_height * ci_bpp;
        qDebug() << "current image dropped: received" << ci_count << "of" << expected;
        emit s_current_dropped(ci_count, expected);
    }
    // Back to header lines, the unfinished image freed.
    reset_receive_state();
}

void KaDevice::report_new_rows(bool stored)
{
    // The first look at a frame only notes it: on a fast link most frames are done before the next
    // look, and showing their rows would only cost the window time.
    if (rows_reported < 0) {
        rows_reported = 0;
        return;
    }
    if (!isSignalConnected(QMetaMethod::fromSignal(&KaDevice::s_rows_arrived)))
        return;
    const QImage* image = stored ? si_image : ci_image;
    const qint64 row_length = qint64(image->width()) * (stored ? si_bpp : ci_bpp);
    const qint32 rows = qint32((stored ? si_count : ci_count) / row_length);
    if (rows <= rows_reported)
        return;
    // Only the new rows are copied: the image itself goes on filling here.
    emit s_rows_arrived(!stored, rows_reported,
                        image->copy(0, rows_reported, image->width(), rows - rows_reported));
    rows_reported = rows;
}
