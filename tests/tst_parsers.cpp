// The receive side of KaDevice fed by hand, without a port: header lines, the information reply
// and the image frames, whole, byte by byte and in batches of every size.
#include "device/kadevice.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/framebytes.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

namespace {

using Batches = QList<QByteArray>;

// A frame written out by hand, its header words big-endian: the simulator's own encoder is not
// trusted to get the layout right on its own.
QByteArray frame(const char* line, const QList<qint32>& words, const QByteArray& pixels = {})
{
    QByteArray out(line);
    for (const qint32 word : words) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out += char(quint32(word) >> shift);
    }
    return out + pixels;
}

QString connectEvent(const QStringList& lines)
{
    return QStringLiteral("connect [%1]").arg(lines.join('|'));
}

QString imageEvent(const SimImage& image, bool current = false)
{
    return (current ? QStringLiteral("current ") : QStringLiteral("stored %1 ").arg(image.index)) +
           describe(image.toQImage());
}

// Everything the device reports, in order. Takes over the images it is handed.
struct Recorder
{
    QStringList events;

    explicit Recorder(KaDevice& device)
    {
        QObject::connect(&device, &KaDevice::s_device_connect, &device,
                         [this](bool, int, const KaDeviceInfo& info) {
                             events << connectEvent({info.line1, info.line2, info.line3, info.line4});
                         });
        QObject::connect(&device, &KaDevice::s_recv_stored_image, &device, [this](int index, QImage* image) {
            take(QStringLiteral("stored %1 ").arg(index), image);
        });
        QObject::connect(&device, &KaDevice::s_recv_current_image, &device,
                         [this](QImage* image) { take(QStringLiteral("current "), image); });
    }

    void take(const QString& event, QImage* image)
    {
        const std::unique_ptr<QImage> owned(image);
        events << event + describe(image ? *image : QImage());
    }
};

// Hands the bytes over in batches of the given size, the last one perhaps shorter.
void feed(KaDevice& device, const QByteArray& bytes, int batch = INT_MAX)
{
    for (int at = 0; at < bytes.size(); at += batch)
        device.handle_received_bytes(bytes.constData() + at, qMin(batch, bytes.size() - at));
}

// The program's own debug lines, while a test collects them.
QStringList debugLines;
void collectDebugLine(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg)
        debugLines << message;
}

// A stream as the device might send it, with the reports and log lines it must bring.
struct MixedStream
{
    QByteArray bytes;
    QStringList expected;
    QStringList log; // the program's own line for each image

    void info(const QList<QByteArray>& lines)
    {
        bytes += "AT_INFO\r\n";
        QStringList texts;
        for (const QByteArray& line : lines) {
            bytes += line + "\r\n";
            texts << QString::fromLatin1(line);
        }
        expected << connectEvent(texts);
    }

    void image(const SimImage& image, bool current = false)
    {
        bytes +=
            (current ? ProtocolFrames::currentImageFrame(image) : ProtocolFrames::storedImageFrame(image));
        expected << imageEvent(image, current);
        log << (current ? QStringLiteral("current image") : QStringLiteral("image: %1").arg(image.index));
    }
};

MixedStream mixedStream()
{
    MixedStream s;
    s.bytes += bytesOf("\x00\xff noise\r\n\n");
    s.info({"KA-100", "SN 0001 FW 1.0", "caf\xe9 \xff", ""});
    s.bytes += ProtocolFrames::heartbeat();
    // Rows of 7, 15, 16 and 13 bytes: most need padding in a QImage.
    s.image(SimImage::pattern(3, 7, 5, 1));
    s.image(SimImage::pattern(1, 5, 3, 3));
    s.bytes += "junk AT\r\nAT_HB\r\n";
    s.image(SimImage::pattern(8, 8, 2, 2));
    s.image(SimImage::pattern(5, 13, 2, 1));
    // Pixels that look like header lines are pixels.
    s.image(SimImage{6, 7, 3, 1, bytesOf("AT_SI\r\n\r\nAT_INFO\r\n\r\n\x00")});
    s.image(SimImage{0, 4, 1, 2, bytesOf("AT_CI\r\n\n")}, true);
    s.bytes += ProtocolFrames::noStoredImages();
    // A frame with an unknown pixel size is dropped at its last header byte; what follows it is
    // read as header lines again.
    s.bytes += frame("AT_SI\r\n", {2, 2, 4, 70}) + "\x01\x02\x03\x04\r\n";
    s.image(SimImage::pattern(0, 6, 3, 2), true);
    s.info({"KA-200", "SN 0002", "x", "y"});
    // An information line without an end gives the reply up at its 32nd byte.
    s.bytes += "AT_INFO\r\nfirst\r\n" + QByteArray(37, 'z') + "\r\n";
    s.image(SimImage::pattern(300, 13, 3, 1));
    s.image(SimImage::pattern(0, 1, 1, 3), true);
    s.image(SimImage::pattern(-4, 3, 3, 3));
    return s;
}

} // namespace

class TstParsers : public QObject
{
    Q_OBJECT

private slots:
    void textLines_data()
    {
        QTest::addColumn<Batches>("batches");
        QTest::addColumn<QStringList>("lines"); // the information reply read, if any

        const QByteArray four("one\r\ntwo\r\nthree\r\nfour\r\n");
        const QStringList read{"one", "two", "three", "four"};
        const QStringList none;
        const QByteArray t29(29, 'w');
        QTest::newRow("header with more after the word") << Batches{"AT_INFO v2;x\r\n" + four} << read;
        QTest::newRow("header of 31 bytes")
            << Batches{"AT_INFO" + QByteArray(22, '.') + "\r\n" + four} << read;
        QTest::newRow("header LF as 32nd byte")
            << Batches{"AT_INFO" + QByteArray(23, '.') + "\r\n" + four} << none;
        QTest::newRow("LF alone ends no header") << Batches{"AT_HB\nAT_INFO\r\n" + four} << none;
        QTest::newRow("header word in lower case") << Batches{"AT_info\r\n" + four} << none;
        QTest::newRow("info line of 29 bytes, CR and LF split")
            << Batches{"AT_INFO\r\na\r\n\r\nc\r\n" + t29 + "\r", "\n"} << QStringList{"a", "", "c", t29};
        QTest::newRow("info line of 30 bytes gives the reply up")
            << Batches{"AT_INFO\r\n" + QByteArray(30, 'w') + "\r\n" + four} << none;
        QTest::newRow("info in Latin-1, zero bytes, lone LF and CR")
            << Batches{bytesOf("AT_INFO\r\n\x80\xe9\xff\r\na\x00z\r\n\nx\rd\r\n\x00\r\n")}
            << QStringList{QString::fromUtf8("\u0080\u00e9\u00ff"), QString::fromLatin1("a\0z", 3), "\nx\rd",
                           QString(QChar(0))};
        // Cut short, the reply takes the next header line as a text line.
        QTest::newRow("header line inside an info reply")
            << Batches{"AT_INFO\r\na\r\nb\r\n", "AT_SI\r\nd\r\n"} << QStringList{"a", "b", "AT_SI", "d"};
    }

    void textLines()
    {
        QFETCH(Batches, batches);
        QFETCH(QStringList, lines);

        KaDevice device;
        Recorder recorder(device);
        for (const QByteArray& batch : batches)
            feed(device, batch);
        QCOMPARE(recorder.events, lines.isEmpty() ? QStringList() : QStringList{connectEvent(lines)});

        // Whatever happened, the very next bytes are header lines again.
        const SimImage next = SimImage::pattern(4, 2, 2, 1);
        feed(device, ProtocolFrames::storedImageFrame(next));
        QCOMPARE(recorder.events.mid(lines.isEmpty() ? 0 : 1), QStringList{imageEvent(next)});
    }

    // Header words in order and signed, pixels kept as they came (grey as indexes, 5-6-5 low byte
    // first), from frames written by hand rather than by the simulator.
    void pixelFormats()
    {
        KaDevice device;
        Recorder recorder(device);
        feed(device, frame("AT_SI\r\n", {3, 2, 1, -2}, bytesOf("\x00\x01\x7f\x80\xfe\xff")) +
                         frame("AT_CI\r\n", {4, 1, 2}, bytesOf("\x00\xf8\x1f\x00\xe0\x07\xff\xff")));
        QCOMPARE(recorder.events, (QStringList{"stored -2 3x2 format 3 00017f80feff",
                                               "current 4x1 format 7 00f81f00e007ffff"}));
    }

    void badHeadersAreDropped_data()
    {
        QTest::addColumn<QByteArray>("bad");
        for (const bool current : {false, true}) {
            const auto row = [current](const char* name, qint32 width, qint32 height, qint32 bpp) {
                QTest::addRow("%s: %s", current ? "current" : "stored", name)
                    << (current ? frame("AT_CI\r\n", {width, height, bpp})
                                : frame("AT_SI\r\n", {width, height, bpp, 77}));
            };
            row("0 bytes per pixel", 4, 2, 0);
            row("4 bytes per pixel", 4, 2, 4);
            row("width 0", 0, 2, 1);
            row("negative height", 4, -2, 3);
            row("2^32 bytes, wrapping a 32-bit count to 0", 65536, 65536, 1);
            row("byte count fits, too wide for a QImage", 300000000, 1, 1);
            row("byte count fits, rows padded to 4 bytes do not", 1, 1128861962, 1);
            row("widest and tallest: the padded size overflows 64 bits", INT_MAX, INT_MAX, 3);
            row("one pixel byte over 64 MiB", 13421773, 5, 1);
            row("RGB: 22 M pixels, 2 bytes over 64 MiB", 11184811, 2, 3);
            // A QImage pads every row to 4 bytes: 16 MiB of pixels take 64 MiB.
            row("1 byte wide: padded rows one row over 64 MiB", 1, 16777217, 1);
            row("RGB, 1 pixel wide: padded rows one row over 64 MiB", 1, 16777217, 3);
            row("5-6-5, 3 pixels wide: padded rows one row over 64 MiB", 3, 8388609, 2);
        }
    }

    // Nothing is created or reported, and the very next bytes are a header line again.
    void badHeadersAreDropped()
    {
        QFETCH(QByteArray, bad);
        const SimImage good = SimImage::pattern(9, 7, 5, 1);
        for (int batch : {INT_MAX, 1}) {
            KaDevice device;
            Recorder recorder(device);
            feed(device, bad + ProtocolFrames::storedImageFrame(good), batch);
            QCOMPARE(recorder.events, QStringList{imageEvent(good)});
        }
    }

    void frameOf64MiBIsTaken_data()
    {
        QTest::addColumn<QList<qint32>>("header");
        QTest::newRow("rows without padding") << QList<qint32>{8192, 4096, 2, 5};
        QTest::newRow("1 byte wide, 16 MiB of pixels in padded rows") << QList<qint32>{1, 16777216, 1, 5};
    }

    // The largest image allowed is taken, its bytes counted against the frame's size.
    void frameOf64MiBIsTaken()
    {
        QFETCH(QList<qint32>, header);
        KaDevice device;
        QSignalSpy progress(&device, &KaDevice::s_transfer_progress);
        feed(device, frame("AT_SI\r\n", header) + QByteArray(10, 'x'));
        QVERIFY(progress.wait(20000));
        const qint64 pixelBytes = qint64(header[0]) * header[1] * header[2];
        QCOMPARE(progress.first(), (QVariantList{5, qint64(10), pixelBytes}));
    }

    void mixedStreamSameHoweverSplit_data()
    {
        QTest::addColumn<int>("batch"); // 0: random sizes

        QTest::newRow("whole") << INT_MAX;
        QTest::newRow("one byte per batch") << 1;
        QTest::newRow("random batches") << 0;
    }

    void mixedStreamSameHoweverSplit()
    {
        QFETCH(int, batch);

        const MixedStream stream = mixedStream();
        const QByteArray& bytes = stream.bytes;
        debugLines.clear();
        const QtMessageHandler previousHandler = qInstallMessageHandler(collectDebugLine);
        KaDevice device;
        Recorder recorder(device);
        if (batch > 0) {
            feed(device, bytes, batch);
        } else {
            QRandomGenerator random(20240521);
            for (int at = 0, n = 0; at < bytes.size(); at += n) {
                n = qMin(random.bounded(1, 48), bytes.size() - at);
                device.handle_received_bytes(bytes.constData() + at, n);
            }
        }
        qInstallMessageHandler(previousHandler);
        QCOMPARE(recorder.events, stream.expected);
        QCOMPARE(debugLines.replaceInStrings(QRegularExpression(" +"), " "), stream.log);
    }
};

QTEST_GUILESS_MAIN(TstParsers)
#include "tst_parsers.moc"
