#include "protocolframes.h"

#include "simimage.h"

namespace ProtocolFrames {

QByteArray word(qint32 value)
{
    const auto v = static_cast<quint32>(value);
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    return QByteArray(bytes, 4);
}

QByteArray infoReply(const QStringList& lines)
{
    QByteArray out("AT_INFO\r\n");
    for (const QString& line : lines)
        out += line.toLatin1() + "\r\n";
    return out;
}

QByteArray storedImageHead(const SimImage& image)
{
    return "AT_SI\r\n" + word(image.width) + word(image.height) + word(image.bpp) + word(image.index);
}

QByteArray storedImageFrame(const SimImage& image)
{
    return storedImageHead(image) + image.pixels;
}

QByteArray currentImageHead(const SimImage& image)
{
    return "AT_CI\r\n" + word(image.width) + word(image.height) + word(image.bpp);
}

QByteArray currentImageFrame(const SimImage& image)
{
    return currentImageHead(image) + image.pixels;
}

QByteArray heartbeat()
{
    return "AT_HB\r\n";
}

QByteArray noStoredImages()
{
    return "AT_NSI\r\n";
}

} // namespace ProtocolFrames
