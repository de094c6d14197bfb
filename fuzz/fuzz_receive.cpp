// Feeds arbitrary bytes from the wire to the receive side, in batches whose sizes the input
// chooses, and checks that the parser state stays within its bounds.
#include "device/kadevice.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdint>

namespace {

void dropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(dropMessages), true);
    Q_UNUSED(quiet)
    if (size == 0)
        return 0;

    // The first byte picks the batch size, so splits anywhere in a frame are explored.
    const size_t batch = size_t(data[0]) + 1;
    ++data;
    --size;

    KaDevice device;
    int stored = 0;
    QObject::connect(&device, &KaDevice::s_recv_stored_image, [&stored](int, QImage* image) {
        if (image->isNull() || image->width() <= 0 || image->height() <= 0)
            __builtin_trap();
        ++stored;
        delete image;
    });
    for (size_t offset = 0; offset < size; offset += batch) {
        const size_t n = size - offset < batch ? size - offset : batch;
        device.handle_received_bytes(reinterpret_cast<const char*>(data + offset), qint64(n));
    }
    return 0;
}
