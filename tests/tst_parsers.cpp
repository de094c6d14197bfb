// The receive side of KaDevice fed by hand, without a port: header lines, the information reply
// and the image frames, split into batches every way the serial port might deliver them.
#include "device/kadevice.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/debugcapture.h"

#include <QRandomGenerator>
#include <QtTest>
#include <memory>

namespace {

using Batches = QList<QByteArray>;

const QByteArray kFourLines("one\r\ntwo\r\nthree\r\nfour\r\n");

// A literal with every byte it holds, zero bytes included.
template <int N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray be32(qint32 value)
{
    const auto v = quint32(value);
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(bytes, 4);
}

// Only the bytes that carry pixels, row by row: the padding QImage adds to each row is left out.
QString describe(const QImage& image)
{
    if (image.isNull())
        return QStringLiteral("null");
    const int rowBytes = image.width() * image.depth() / 8;
    QByteArray rows;
    for (int y = 0; y < image.height(); ++y)
        rows += QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    return QStringLiteral("%1x%2 format %3 %4")
        .arg(image.width())
        .arg(image.height())
        .arg(int(image.format()))
        .arg(QString::fromLatin1(rows.toHex()));
}

QString connectEvent(bool connected, int error, const KaDeviceInfo& info)
{
    return QStringLiteral("connect %1 %2 [%3|%4|%5|%6]")
        .arg(int(connected))
        .arg(error)
        .arg(info.line1, info.line2, info.line3, info.line4);
}

QString connectEvent(const QStringList& lines)
{
    return connectEvent(true, DEV_ERR_NONE, {lines.value(0), lines.value(1), lines.value(2), lines.value(3)});
}

QString storedEvent(int index, const QImage& image)
{
    return QStringLiteral("stored %1 %2").arg(index).arg(describe(image));
}

QString currentEvent(const QImage& image)
{
    return QStringLiteral("current %1").arg(describe(image));
}

// Everything the device reports, in order. Takes over the images it is handed.
class Recorder : public QObject
{
public:
    explicit Recorder(KaDevice& device, bool stored = true, bool current = true)
    {
        connect(&device, &KaDevice::s_device_connect, this,
                [this](bool connected, int error, const KaDeviceInfo& info) {
                    events << connectEvent(connected, error, info);
                    infos << info;
                });
        if (stored) {
            connect(&device, &KaDevice::s_recv_stored_image, this, [this](int index, QImage* image) {
                const std::unique_ptr<QImage> owned(image);
                QVERIFY(owned);
                events << storedEvent(index, *owned);
                images << *owned;
            });
        }
        if (current) {
            connect(&device, &KaDevice::s_recv_current_image, this, [this](QImage* image) {
                const std::unique_ptr<QImage> owned(image);
                QVERIFY(owned);
                events << currentEvent(*owned);
                images << *owned;
            });
        }
    }

    QStringList events;
    QList<KaDeviceInfo> infos;
    QList<QImage> images;
};

Batches perByte(const QByteArray& bytes)
{
    Batches out;
    for (char c : bytes)
        out << QByteArray(1, c);
    return out;
}

void feed(KaDevice& device, const QByteArray& bytes)
{
    device.handle_received_bytes(bytes.constData(), bytes.size());
}

void feed(KaDevice& device, const Batches& batches)
{
    for (const QByteArray& batch : batches)
        feed(device, batch);
}

void feedInBatchesOf(KaDevice& device, const QByteArray& bytes, int size)
{
    for (int at = 0; at < bytes.size(); at += size)
        device.handle_received_bytes(bytes.constData() + at, qMin(size, bytes.size() - at));
}

QByteArray storedFrame(int index, qint32 width, qint32 height, qint32 bpp, const QByteArray& pixels)
{
    return "AT_SI\r\n" + be32(width) + be32(height) + be32(bpp) + be32(index) + pixels;
}

QByteArray currentFrame(qint32 width, qint32 height, qint32 bpp, const QByteArray& pixels)
{
    return "AT_CI\r\n" + be32(width) + be32(height) + be32(bpp) + pixels;
}

QStringList imageIndexesLogged(const DebugCapture& debug)
{
    QStringList indexes;
    for (const QString& line : debug.lines()) {
        if (line.startsWith(QLatin1String("image:")))
            indexes << line.mid(6).trimmed();
    }
    return indexes;
}

// A stream as the device might send it, each part tagged with the parser that must take it.
enum class Parser
{
    Cmd,
    Info,
    Stored,
    Current
};

struct MixedStream
{
    QList<QPair<Parser, QByteArray>> parts;
    QStringList expected;
    QStringList loggedIndexes;
    int currentImages = 0;

    void add(Parser parser, const QByteArray& bytes) { parts.append({parser, bytes}); }

    void info(const QList<QByteArray>& lines)
    {
        add(Parser::Cmd, "AT_INFO\r\n");
        QByteArray body;
        QStringList texts;
        for (const QByteArray& line : lines) {
            body += line + "\r\n";
            texts << QString::fromLatin1(line);
        }
        add(Parser::Info, body);
        expected << connectEvent(texts);
    }

    void stored(const SimImage& image)
    {
        const QByteArray frame = ProtocolFrames::storedImageFrame(image);
        add(Parser::Cmd, frame.left(7));
        add(Parser::Stored, frame.mid(7));
        expected << storedEvent(image.index, image.toQImage());
        loggedIndexes << QString::number(image.index);
    }

    void current(const SimImage& image)
    {
        const QByteArray frame = ProtocolFrames::currentImageFrame(image);
        add(Parser::Cmd, frame.left(7));
        add(Parser::Current, frame.mid(7));
        expected << currentEvent(image.toQImage());
        ++currentImages;
    }

    QByteArray bytes() const
    {
        QByteArray all;
        for (const auto& part : parts)
            all += part.second;
        return all;
    }
};

MixedStream mixedStream()
{
    MixedStream s;
    s.add(Parser::Cmd, bytesOf("\x00\xff noise\r\n\n"));
    s.info({"KA-100", "SN 0001 FW 1.0", "caf\xe9 \xff", ""});
    s.add(Parser::Cmd, ProtocolFrames::heartbeat());
    s.stored(SimImage::pattern(3, 7, 5, 1));
    s.stored(SimImage::pattern(1, 5, 3, 3));
    s.add(Parser::Cmd, "junk AT\r\nAT_HB\r\n");
    s.stored(SimImage::pattern(8, 3, 2, 2));
    // Back to back, nothing between the frames.
    s.stored(SimImage::pattern(2, 16, 4, 2));
    s.stored(SimImage::pattern(5, 4, 2, 3));
    s.stored(SimImage{6, 7, 3, 1, bytesOf("AT_SI\r\n\r\nAT_INFO\r\n\r\n\x00")});
    s.add(Parser::Cmd, ProtocolFrames::noStoredImages());
    // A frame with an unknown pixel size is dropped at its last header byte; what follows it is
    // read as header lines again.
    s.add(Parser::Cmd, "AT_SI\r\n");
    s.add(Parser::Stored, be32(2) + be32(2) + be32(4) + be32(70));
    s.add(Parser::Cmd, "\x01\x02\x03\x04\r\n");
    s.current(SimImage::pattern(0, 6, 3, 2));
    s.info({"KA-200", "SN 0002", "x", "y"});
    // An information line without an end gives the reply up at its 32nd byte.
    s.add(Parser::Cmd, "AT_INFO\r\n");
    s.add(Parser::Info, "first\r\n" + QByteArray(32, 'z'));
    s.add(Parser::Cmd, QByteArray(5, 'z') + "\r\n");
    s.stored(SimImage::pattern(300, 13, 3, 1));
    s.current(SimImage::pattern(0, 1, 1, 3));
    s.stored(SimImage::pattern(-4, 3, 3, 3));
    s.add(Parser::Cmd, ProtocolFrames::heartbeat());
    return s;
}

} // namespace

class TstParsers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void headerLines_data();
    void headerLines();
    void infoLines_data();
    void infoLines();
    void abandonedInfoReplyKeepsEarlierLines();
    void secondInfoReplyReportsAgain();

    void storedFrameFields();
    void pixelFormats();
    void rowsPlacedWhateverTheirLength_data();
    void rowsPlacedWhateverTheirLength();
    void badHeadersAreDropped_data();
    void badHeadersAreDropped();
    void backToBackFramesInOneBatch();
    void headerBytesInsidePixelsArePixels();
    void currentImage();
    void imagesWithoutReceiver();

    void mixedStreamSameHoweverSplit_data();
    void mixedStreamSameHoweverSplit();
};

void TstParsers::initTestCase()
{
    qRegisterMetaType<KaDeviceInfo>("KaDeviceInfo");
}

void TstParsers::headerLines_data()
{
    QTest::addColumn<Batches>("batches");
    QTest::addColumn<bool>("recognised");

    QTest::newRow("whole") << Batches{"AT_INFO\r\n"} << true;
    QTest::newRow("split after five bytes") << Batches{"AT_IN", "FO\r\n"} << true;
    QTest::newRow("one byte per batch") << perByte("AT_INFO\r\n") << true;
    QTest::newRow("CR and LF in different batches") << Batches{"AT_INFO\r", "\n"} << true;
    QTest::newRow("more text after the word") << Batches{"AT_INFO v2;x\r\n"} << true;
    QTest::newRow("stray bytes before") << Batches{bytesOf("\r\n\x00\xffZT_"), "xAT_INFO\r\n"} << true;
    QTest::newRow("heartbeat, no images, unknown line before")
        << Batches{"AT_HB\r\nAT_NSI\r\nAT_WHAT\r\nAT\r\n", "AT_INFO\r\n"} << true;
    QTest::newRow("31 bytes with CRLF") << Batches{"AT_INFO" + QByteArray(22, '.') + "\r\n"} << true;
    QTest::newRow("fresh line after a dropped 32nd byte")
        << Batches{"AT" + QByteArray(29, '.'), "!", "AT_INFO\r\n"} << true;

    QTest::newRow("stray A directly before") << Batches{"AAT_INFO\r\n"} << false;
    QTest::newRow("stray A at the end of the batch before") << Batches{"A", "AT_INFO\r\n"} << false;
    QTest::newRow("LF alone does not end a line") << Batches{"AT_HB\nAT_INFO\r\n"} << false;
    QTest::newRow("CR alone does not end a line") << Batches{"AT_HB\r", "AT_INFO\r\n"} << false;
    QTest::newRow("lower case") << Batches{"at_info\r\n"} << false;
    QTest::newRow("word in lower case") << Batches{"AT_info\r\n"} << false;
    QTest::newRow("part of the word") << Batches{"AT_INF\r\n"} << false;
    QTest::newRow("LF is the 32nd byte") << Batches{"AT_INFO" + QByteArray(23, '.') + "\r\n"} << false;
    QTest::newRow("32nd byte is dropped even when it is A")
        << Batches{"AT" + QByteArray(29, '.'), "AT_INFO\r\n"} << false;
}

// A header line is recognised when the information reply behind it is read as such.
void TstParsers::headerLines()
{
    QFETCH(Batches, batches);
    QFETCH(bool, recognised);

    KaDevice device;
    Recorder recorder(device);
    feed(device, batches);
    feed(device, kFourLines);
    QCOMPARE(recorder.events.size(), recognised ? 1 : 0);
    if (recognised)
        QCOMPARE(recorder.events[0], connectEvent({"one", "two", "three", "four"}));

    // Whatever happened, the parser is ready for the next line.
    feed(device, "AT_INFO\r\nA\r\nB\r\nC\r\nD\r\n");
    QCOMPARE(recorder.events.size(), recognised ? 2 : 1);
    QCOMPARE(recorder.events.last(), connectEvent({"A", "B", "C", "D"}));
}

void TstParsers::infoLines_data()
{
    QTest::addColumn<Batches>("batches");
    QTest::addColumn<QStringList>("lines"); // empty: no report

    const QByteArray t29(29, 'w');
    const QByteArray t30(30, 'w');
    QTest::newRow("four lines with the header line") << Batches{"AT_INFO\r\nKA-100\r\nSN 1\r\nFW 2\r\nok\r\n"}
                                                     << QStringList{"KA-100", "SN 1", "FW 2", "ok"};
    QTest::newRow("empty lines") << Batches{"AT_INFO\r\n\r\n\r\nx\r\n\r\n"} << QStringList{"", "", "x", ""};
    QTest::newRow("29 text bytes") << Batches{"AT_INFO\r\n" + t29 + "\r\na\r\nb\r\nc\r\n"}
                                   << QStringList{QString(t29), "a", "b", "c"};
    QTest::newRow("29 text bytes, CR and LF split")
        << Batches{"AT_INFO\r\na\r\nb\r\nc\r\n" + t29 + "\r", "\n"}
        << QStringList{"a", "b", "c", QString(t29)};
    QTest::newRow("30 text bytes give the reply up")
        << Batches{"AT_INFO\r\n" + t30 + "\r\na\r\nb\r\nc\r\nd\r\n"} << QStringList();
    QTest::newRow("30 text bytes in the fourth line")
        << Batches{"AT_INFO\r\na\r\nb\r\nc\r\n" + t30 + "\r\n"} << QStringList();
    QTest::newRow("LF first in a line is text")
        << Batches{"AT_INFO\r\n\nx\r\n\n\r\n\r\n\n\r\n"} << QStringList{"\nx", "\n", "", "\n"};
    QTest::newRow("LF and CR alone are text")
        << Batches{"AT_INFO\r\na\nb\r\nc\rd\r\n\r\r\n", "\r", "\n"} << QStringList{"a\nb", "c\rd", "\r", ""};
    QTest::newRow("Latin-1 and zero bytes")
        << Batches{bytesOf("AT_INFO\r\n\x80\xe9\xff\r\na\x00z\r\n\x00\r\n"
                           "\xb5\r\n")}
        << QStringList{QString::fromUtf8("\u0080\u00e9\u00ff"), QString::fromLatin1("a\0z", 3),
                       QString(QChar(0)), QString::fromUtf8("\u00b5")};
    QTest::newRow("one byte per batch")
        << perByte("AT_INFO\r\n1\r\n2\r\n\r\n4\r\n") << QStringList{"1", "2", "", "4"};
    // Cut short, the reply takes the next header line as a text line.
    QTest::newRow("another header line inside the reply")
        << Batches{"AT_INFO\r\na\r\nb\r\n", "AT_SI\r\nd\r\n"} << QStringList{"a", "b", "AT_SI", "d"};
}

void TstParsers::infoLines()
{
    QFETCH(Batches, batches);
    QFETCH(QStringList, lines);

    KaDevice device;
    Recorder recorder(device);
    feed(device, batches);
    if (lines.isEmpty()) {
        QCOMPARE(recorder.events, QStringList());
    } else {
        QCOMPARE(recorder.events, QStringList{connectEvent(lines)});
        const KaDeviceInfo& info = recorder.infos[0];
        QCOMPARE((QStringList{info.line1, info.line2, info.line3, info.line4}), lines);
    }

    // The bytes after the reply, given up or complete, are header lines again.
    feed(device, ProtocolFrames::storedImageFrame(SimImage::pattern(4, 2, 2, 1)));
    QCOMPARE(recorder.events.size(), lines.isEmpty() ? 1 : 2);
    QVERIFY2(recorder.events.last().startsWith("stored 4 "), qPrintable(recorder.events.last()));
}

void TstParsers::abandonedInfoReplyKeepsEarlierLines()
{
    KaDevice device;
    Recorder recorder(device);
    feed(device, "AT_INFO\r\nold1\r\nold2\r\nold3\r\nold4\r\n");
    QCOMPARE(recorder.events, QStringList{connectEvent({"old1", "old2", "old3", "old4"})});

    feed(device, "AT_INFO\r\nnew1\r\nnew2\r\n" + QByteArray(30, 'x') + "\r\nnew4\r\n");
    QCOMPARE(recorder.events.size(), 1);

    // A disconnect reports what the device holds now; without a port it sends nothing.
    device.disconnect_device_slot();
    QCOMPARE(recorder.events.size(), 2);
    QCOMPARE(recorder.events[1], connectEvent(false, DEV_ERR_NONE, {"new1", "new2", "old3", "old4"}));
}

void TstParsers::secondInfoReplyReportsAgain()
{
    KaDevice device;
    Recorder recorder(device);
    feed(device, "AT_INFO\r\na1\r\na2\r\na3\r\na4\r\nAT_HB\r\nAT_INFO\r\nb1\r\nb2\r\nb3\r\nb4\r\n");
    QCOMPARE(recorder.events,
             (QStringList{connectEvent({"a1", "a2", "a3", "a4"}), connectEvent({"b1", "b2", "b3", "b4"})}));
}

// Width 4, height 2, three bytes per pixel, index 5, written out by hand.
void TstParsers::storedFrameFields()
{
    QByteArray pixels;
    for (int i = 0; i < 24; ++i)
        pixels += char(10 * i + 3);
    const QByteArray frame = bytesOf("AT_SI\r\n"
                                     "\0\0\0\x04"
                                     "\0\0\0\x02"
                                     "\0\0\0\x03"
                                     "\0\0\0\x05") +
                             pixels;

    DebugCapture debug;
    KaDevice device;
    Recorder recorder(device);
    feed(device, frame);
    QCOMPARE(recorder.events.size(), 1);
    QVERIFY2(recorder.events[0].startsWith("stored 5 "), qPrintable(recorder.events[0]));
    const QImage& image = recorder.images[0];
    QCOMPARE(image.size(), QSize(4, 2));
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(image.pixel(0, 0), qRgb(3, 13, 23));
    QCOMPARE(image.pixel(1, 0), qRgb(33, 43, 53));
    QCOMPARE(image.pixel(3, 1), qRgb(213, 223, 233));
    QCOMPARE(imageIndexesLogged(debug), QStringList{"5"});

    // Big-endian words, read as signed.
    feed(device, storedFrame(-2, 1, 1, 1, "\x7f") + storedFrame(0x01020304, 1, 1, 1, "\x01"));
    QCOMPARE(recorder.events.size(), 3);
    QVERIFY2(recorder.events[1].startsWith("stored -2 1x1 "), qPrintable(recorder.events[1]));
    QVERIFY2(recorder.events[2].startsWith("stored 16909060 1x1 "), qPrintable(recorder.events[2]));
    QCOMPARE(imageIndexesLogged(debug), (QStringList{"5", "-2", "16909060"}));
}

void TstParsers::pixelFormats()
{
    KaDevice device;
    Recorder recorder(device);

    // 5-6-5, low byte first: red, blue, green, white.
    feed(device, storedFrame(1, 4, 1, 2, bytesOf("\x00\xf8\x1f\x00\xe0\x07\xff\xff")));
    QCOMPARE(recorder.images.size(), 1);
    const QImage rgb16 = recorder.images.takeFirst();
    QCOMPARE(rgb16.format(), QImage::Format_RGB16);
    QCOMPARE(rgb16.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(rgb16.pixel(1, 0), qRgb(0, 0, 255));
    QCOMPARE(rgb16.pixel(2, 0), qRgb(0, 255, 0));
    QCOMPARE(rgb16.pixel(3, 0), qRgb(255, 255, 255));

    // One byte per pixel is kept as an index; the device adds no colour table.
    feed(device, storedFrame(2, 3, 2, 1, bytesOf("\x00\x01\x7f\x80\xfe\xff")));
    QCOMPARE(recorder.images.size(), 1);
    const QImage grey = recorder.images.takeFirst();
    QCOMPARE(grey.format(), QImage::Format_Indexed8);
    QCOMPARE(grey.colorCount(), 0);
    QCOMPARE(grey.colorTable(), QVector<QRgb>());
    const QList<int> indexes{grey.pixelIndex(0, 0), grey.pixelIndex(1, 0), grey.pixelIndex(2, 0),
                             grey.pixelIndex(0, 1), grey.pixelIndex(1, 1), grey.pixelIndex(2, 1)};
    QCOMPARE(indexes, (QList<int>{0x00, 0x01, 0x7f, 0x80, 0xfe, 0xff}));

    feed(device, storedFrame(3, 2, 1, 3, "\x01\x02\x03\xfd\xfe\xff"));
    QCOMPARE(recorder.images.size(), 1);
    const QImage rgb = recorder.images.takeFirst();
    QCOMPARE(rgb.format(), QImage::Format_RGB888);
    QCOMPARE(rgb.pixel(0, 0), qRgb(1, 2, 3));
    QCOMPARE(rgb.pixel(1, 0), qRgb(0xfd, 0xfe, 0xff));
}

void TstParsers::rowsPlacedWhateverTheirLength_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bpp");

    QTest::newRow("7x5 grey, rows of 7") << 7 << 5 << 1;
    QTest::newRow("5x3 RGB, rows of 15") << 5 << 3 << 3;
    QTest::newRow("3x4 5-6-5, rows of 6") << 3 << 4 << 2;
    QTest::newRow("1x6 grey, rows of 1") << 1 << 6 << 1;
    QTest::newRow("13x2 RGB, rows of 39") << 13 << 2 << 3;
    QTest::newRow("4x3 RGB, rows of 12") << 4 << 3 << 3;
    QTest::newRow("8x3 grey, rows of 8") << 8 << 3 << 1;
    QTest::newRow("1x1 5-6-5") << 1 << 1 << 2;
}

void TstParsers::rowsPlacedWhateverTheirLength()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bpp);

    const SimImage sim = SimImage::pattern(7, width, height, bpp);
    const QString expected = storedEvent(7, sim.toQImage());
    const QByteArray frame = ProtocolFrames::storedImageFrame(sim);
    // Whole, and in batches that end inside rows.
    for (int batch : {int(frame.size()), 5, 1}) {
        KaDevice device;
        Recorder recorder(device);
        feedInBatchesOf(device, frame, batch);
        QCOMPARE(recorder.events, QStringList{expected});
    }
}

void TstParsers::badHeadersAreDropped_data()
{
    QTest::addColumn<bool>("current");
    QTest::addColumn<qint32>("width");
    QTest::addColumn<qint32>("height");
    QTest::addColumn<qint32>("bpp");

    for (bool current : {false, true}) {
        const char* kind = current ? "current" : "stored";
        QTest::addRow("%s: 0 bytes per pixel", kind) << current << 4 << 2 << 0;
        QTest::addRow("%s: 4 bytes per pixel", kind) << current << 4 << 2 << 4;
        QTest::addRow("%s: negative bytes per pixel", kind) << current << 4 << 2 << -1;
        QTest::addRow("%s: width 0", kind) << current << 0 << 2 << 1;
        QTest::addRow("%s: height 0", kind) << current << 3 << 0 << 3;
        QTest::addRow("%s: negative height", kind) << current << 4 << -2 << 3;
        QTest::addRow("%s: negative width and height", kind) << current << -4 << -2 << 2;
        QTest::addRow("%s: 65536x65536x3 overflows", kind) << current << 65536 << 65536 << 3;
        QTest::addRow("%s: 65536x32768x1 overflows", kind) << current << 65536 << 32768 << 1;
        QTest::addRow("%s: 46341x46341x1 overflows", kind) << current << 46341 << 46341 << 1;
        QTest::addRow("%s: 32768x32768x2 overflows", kind) << current << 32768 << 32768 << 2;
        // The byte count fits, but no QImage can be that wide.
        QTest::addRow("%s: too wide for an image", kind) << current << 300000000 << 1 << 1;
    }
}

// Nothing is created or reported, and the very next bytes are a header line again.
void TstParsers::badHeadersAreDropped()
{
    QFETCH(bool, current);
    QFETCH(qint32, width);
    QFETCH(qint32, height);
    QFETCH(qint32, bpp);

    const QByteArray bad = current ? currentFrame(width, height, bpp, QByteArray())
                                   : storedFrame(77, width, height, bpp, QByteArray());
    const SimImage good = SimImage::pattern(9, 7, 5, 1);
    const QByteArray next = ProtocolFrames::storedImageFrame(good);

    for (int batch : {int(bad.size() + next.size()), 1}) {
        DebugCapture debug;
        KaDevice device;
        Recorder recorder(device);
        feedInBatchesOf(device, bad + next, batch);
        QCOMPARE(recorder.events, QStringList{storedEvent(9, good.toQImage())});
        QCOMPARE(imageIndexesLogged(debug), QStringList{"9"});
        QVERIFY(!debug.contains("current image"));
    }
}

void TstParsers::backToBackFramesInOneBatch()
{
    const SimImage first = SimImage::pattern(12, 5, 2, 3);
    const SimImage second = SimImage::pattern(11, 6, 3, 2);
    DebugCapture debug;
    KaDevice device;
    Recorder recorder(device);
    feed(device, ProtocolFrames::storedImageFrame(first) + ProtocolFrames::storedImageFrame(second));
    QCOMPARE(recorder.events,
             (QStringList{storedEvent(12, first.toQImage()), storedEvent(11, second.toQImage())}));
    QCOMPARE(imageIndexesLogged(debug), (QStringList{"12", "11"}));
}

void TstParsers::headerBytesInsidePixelsArePixels()
{
    // 24 pixel bytes that look like a frame header line, an information reply and line ends.
    const QByteArray pixels = bytesOf("AT_SI\r\n\r\nAT_INFO\r\n\r\nAT_H");
    const SimImage tricky{21, 8, 1, 3, pixels};
    const SimImage after = SimImage::pattern(22, 2, 2, 1);

    KaDevice device;
    Recorder recorder(device);
    feed(device, ProtocolFrames::storedImageFrame(tricky) + "\r\n" + ProtocolFrames::storedImageFrame(after));
    QCOMPARE(recorder.events,
             (QStringList{storedEvent(21, tricky.toQImage()), storedEvent(22, after.toQImage())}));

    const SimImage currentTricky{0, 4, 1, 2, bytesOf("AT_CI\r\n\n")};
    feed(device, ProtocolFrames::currentImageFrame(currentTricky) + ProtocolFrames::storedImageFrame(after));
    QCOMPARE(recorder.events.mid(2),
             (QStringList{currentEvent(currentTricky.toQImage()), storedEvent(22, after.toQImage())}));
}

void TstParsers::currentImage()
{
    const SimImage sim = SimImage::pattern(0, 5, 3, 3);
    const QByteArray frame = ProtocolFrames::currentImageFrame(sim);
    QCOMPARE(frame.size(), 7 + 12 + 45);

    for (int batch : {int(frame.size()), 1}) {
        DebugCapture debug;
        KaDevice device;
        Recorder recorder(device);
        feedInBatchesOf(device, frame.left(frame.size() - 1), batch);
        QCOMPARE(recorder.events, QStringList());
        feed(device, frame.right(1));
        QCOMPARE(recorder.events, QStringList{currentEvent(sim.toQImage())});
        QVERIFY(!recorder.images[0].isNull());
        QVERIFY(debug.contains("current image"));
        QCOMPARE(imageIndexesLogged(debug), QStringList());
    }
}

// Nobody receives these images, so the device frees them (the sanitizer build sees a leak
// otherwise); the stream goes on as usual behind each.
void TstParsers::imagesWithoutReceiver()
{
    DebugCapture debug;
    KaDevice device;
    QSignalSpy reports(&device, &KaDevice::s_device_connect);
    feed(device, ProtocolFrames::currentImageFrame(SimImage::pattern(0, 6, 4, 3)) +
                     ProtocolFrames::storedImageFrame(SimImage::pattern(31, 3, 3, 2)) +
                     ProtocolFrames::currentImageFrame(SimImage::pattern(0, 2, 1, 1)));
    QCOMPARE(debug.lines().count("current image"), 2);
    QCOMPARE(imageIndexesLogged(debug), QStringList{"31"});

    // With a receiver for stored images only, current images are still freed.
    Recorder recorder(device, true, false);
    feed(device, ProtocolFrames::currentImageFrame(SimImage::pattern(0, 3, 2, 2)) +
                     ProtocolFrames::storedImageFrame(SimImage::pattern(32, 2, 1, 3)) + "AT_INFO\r\n" +
                     kFourLines);
    QCOMPARE(debug.lines().count("current image"), 3);
    QCOMPARE(recorder.events, (QStringList{storedEvent(32, SimImage::pattern(32, 2, 1, 3).toQImage()),
                                           connectEvent({"one", "two", "three", "four"})}));
    QCOMPARE(reports.count(), 1);
}

void TstParsers::mixedStreamSameHoweverSplit_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("whole") << "whole" << 0u;
    QTest::newRow("one byte per batch") << "bytes" << 0u;
    QTest::newRow("random batches, seed 1") << "random" << 1u;
    QTest::newRow("random batches, seed 20240521") << "random" << 20240521u;
    QTest::newRow("parser slots, byte by byte") << "slots" << 0u;
}

void TstParsers::mixedStreamSameHoweverSplit()
{
    QFETCH(QString, how);
    QFETCH(quint32, seed);

    const MixedStream stream = mixedStream();
    const QByteArray bytes = stream.bytes();
    DebugCapture debug;
    KaDevice device;
    Recorder recorder(device);

    if (how == "whole") {
        feed(device, bytes);
    } else if (how == "bytes") {
        feedInBatchesOf(device, bytes, 1);
    } else if (how == "random") {
        QRandomGenerator random(seed);
        for (int at = 0; at < bytes.size();) {
            const int n = qMin(random.bounded(1, 48), bytes.size() - at);
            device.handle_received_bytes(bytes.constData() + at, n);
            at += n;
        }
    } else {
        for (const auto& part : stream.parts) {
            for (char c : part.second) {
                switch (part.first) {
                case Parser::Cmd:
                    device.parser_cmd_data(c);
                    break;
                case Parser::Info:
                    device.parser_info_data(c);
                    break;
                case Parser::Stored:
                    device.parser_si_data(c);
                    break;
                case Parser::Current:
                    device.parser_ci_data(c);
                    break;
                }
            }
        }
    }

    QCOMPARE(recorder.events, stream.expected);
    QCOMPARE(imageIndexesLogged(debug), stream.loggedIndexes);
    QCOMPARE(debug.lines().count("current image"), stream.currentImages);
    for (const QImage& image : recorder.images) {
        if (image.format() == QImage::Format_Indexed8)
            QCOMPARE(image.colorCount(), 0);
    }
}

QTEST_GUILESS_MAIN(TstParsers)
#include "tst_parsers.moc"
