// Throughput of the receive side for stored-image transfers. The line itself carries 46,080
// bytes/s, so anything far above that leaves the worker thread idle; the 1-byte batches show the
// per-call cost that a port delivering single bytes would pay.
#include "device/kadevice.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "eventwait.h"
#include "protocolframes.h"
#include "simimage.h"

#include <QCoreApplication>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

const int kWidth = 360;
const int kHeight = 240;
const int kFramesPerStream = 6;
const int kPortTimeoutMs = 20000;

QtMessageHandler previousHandler = nullptr;
// Images the device reported finished; only ever touched from the benchmark's thread.
qint64 finishedImages = 0;

// Every finished image writes a debug line; printing it would cost more than parsing the image.
// Counting the lines shows that the timed runs really finish their images.
void dropDebug(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg) {
        if (message.startsWith(QLatin1String("image: ")))
            ++finishedImages;
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

QList<SimImage> storedImages(int bpp)
{
    QList<SimImage> images;
    for (int i = 0; i < kFramesPerStream; ++i)
        images.append(SimImage::pattern(i + 1, kWidth, kHeight, bpp));
    return images;
}

QByteArray storedImageStream(const QList<SimImage>& images)
{
    QByteArray stream;
    for (const SimImage& image : images)
        stream += ProtocolFrames::storedImageFrame(image);
    return stream;
}

void feed(KaDevice& device, const QByteArray& stream, qint64 batch)
{
    const char* data = stream.constData();
    const qint64 size = stream.size();
    for (qint64 offset = 0; offset < size; offset += batch)
        device.handle_received_bytes(data + offset, qMin(batch, size - offset));
}

// A wrong stream would measure the header-line parser skipping junk, so the stream is checked
// once with a listener before the timed runs, which have none.
bool streamDecodes(const QByteArray& stream, const QList<SimImage>& images, qint64 batch)
{
    KaDevice device;
    int received = 0;
    bool same = true;
    QObject::connect(&device, &KaDevice::s_recv_stored_image, [&](int index, QImage* image) {
        if (received >= images.size() || index != images.at(received).index ||
            image->convertToFormat(QImage::Format_RGB32) !=
                images.at(received).toQImage().convertToFormat(QImage::Format_RGB32))
            same = false;
        ++received;
        delete image;
    });
    feed(device, stream, batch);
    return same && received == images.size();
}

void BM_ReceiveStoredImages(benchmark::State& state)
{
    const int bpp = int(state.range(0));
    const qint64 batch = state.range(1);
    const QList<SimImage> images = storedImages(bpp);
    const QByteArray stream = storedImageStream(images);
    if (!streamDecodes(stream, images, batch)) {
        state.SkipWithError("the stream does not decode to its images");
        return;
    }

    KaDevice device;
    finishedImages = 0;
    for (auto _ : state)
        feed(device, stream, batch);
    if (finishedImages != qint64(state.iterations()) * images.size()) {
        state.SkipWithError("the timed runs did not finish every image");
        return;
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["images"] =
        benchmark::Counter(double(state.iterations()) * images.size(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReceiveStoredImages)
    ->ArgNames({"bpp", "batch"})
    ->ArgsProduct({{1, 2, 3}, {4096, 1}})
    ->Unit(benchmark::kMillisecond);

// The whole way in: simulator, pseudo-terminal, QSerialPort's notifier and buffer, the parsers,
// and a listener that takes each image. Both ends share this thread, so the figure is the cost
// of the path, not a line rate.
void BM_ReceiveStoredImagesThroughPort(benchmark::State& state)
{
    const int bpp = int(state.range(0));
    const QList<SimImage> images = storedImages(bpp);
    const qint64 streamSize = storedImageStream(images).size();

    DeviceSimulator sim;
    if (!sim.openPty()) {
        state.SkipWithError(qPrintable("no pseudo-terminal: " + sim.errorString()));
        return;
    }
    sim.setStoredImages(images);
    const QString portName = sim.portName();
    setPortListProvider([portName] {
        return PortList{qMakePair(portName, QStringLiteral("CP2102 USB to UART Bridge Controller"))};
    });

    KaDevice device;
    bool connected = false;
    int received = 0;
    QObject::connect(&device, &KaDevice::s_device_connect,
                     [&connected](bool isConnected, int, KaDeviceInfo) { connected = isConnected; });
    QObject::connect(&device, &KaDevice::s_recv_stored_image, [&received](int, QImage* image) {
        ++received;
        delete image;
    });
    device.connect_device_slot();
    if (!runUntil([&connected] { return connected; }, kPortTimeoutMs)) {
        state.SkipWithError("no handshake with the simulator");
        setPortListProvider({});
        return;
    }

    for (auto _ : state) {
        received = 0;
        device.get_stored_image_slot();
        if (!runUntil([&received, &images] { return received == images.size(); }, kPortTimeoutMs)) {
            state.SkipWithError("the transfer stalled");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * streamSize);
    device.disconnect_device_slot();
    setPortListProvider({});
}
BENCHMARK(BM_ReceiveStoredImagesThroughPort)
    ->ArgNames({"bpp"})
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    previousHandler = qInstallMessageHandler(dropDebug);
    QCoreApplication app(argc, argv);
    // Debian's benchmark library is built without NDEBUG and says so in its header lines; the
    // timed loops are inlined from its header into this program, built as stated here.
    benchmark::AddCustomContext("kadevice and this program built as", KA_BUILD_TYPE);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
