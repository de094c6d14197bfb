#ifndef KASIM_PROTOCOLFRAMES_H
#define KASIM_PROTOCOLFRAMES_H

#include <QByteArray>
#include <QStringList>

class SimImage;

// The device's wire format, byte for byte. Nothing here validates: broken images make broken
// frames, which is what fault tests need.
namespace ProtocolFrames {

// Commands are eight ASCII bytes with no terminator.
constexpr int commandSize = 8;
constexpr char infoCommand[] = "AT_INFO*";
constexpr char storedImagesCommand[] = "AT_GSI**";
constexpr char currentImageCommand[] = "AT_GCI**";
constexpr char disconnectCommand[] = "AT_DIS**";

// A signed 32-bit header word, big-endian.
QByteArray word(qint32 value);

// "AT_INFO\r\n" then each line in Latin-1 with "\r\n"; lines are sent as given, however many or long.
QByteArray infoReply(const QStringList& lines);

// "AT_SI\r\n" and width, height, bpp, index; the pixels follow.
QByteArray storedImageHead(const SimImage& image);
QByteArray storedImageFrame(const SimImage& image);

// "AT_CI\r\n" and width, height, bpp; the pixels follow.
QByteArray currentImageHead(const SimImage& image);
QByteArray currentImageFrame(const SimImage& image);

QByteArray heartbeat();
QByteArray noStoredImages();

} // namespace ProtocolFrames

#endif
