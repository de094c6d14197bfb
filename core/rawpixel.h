#ifndef RAWPIXEL_H
#define RAWPIXEL_H

#include <QImage>
#include <QRgb>
#include <array>

// How the device sent a received picture: its bytes per pixel and the channels they hold.
enum class RawFormat
{
    Grey8,  // 1 byte: the grey level
    Rgb565, // 2 bytes, low byte first: R5 G6 B5
    Rgb888, // 3 bytes: R, G, B
};

// The format a received picture came in: Indexed8 is grey, RGB16 is 5-6-5, anything else is read
// as R, G, B.
RawFormat rawFormat(const QImage& received);
int bytesPerPixel(RawFormat format);
int channelCount(RawFormat format);
// The highest level of a channel: 255, or 31, 63, 31 for 5-6-5.
int channelMaximum(RawFormat format, int channel);
// "Grey", "R5", "G6", "B5", "R", "G", "B": the names the firmware's people use.
const char* channelName(RawFormat format, int channel);

// One pixel as the device sent it.
struct RawPixel
{
    RawFormat format = RawFormat::Grey8;
    std::array<int, 3> levels{}; // per channel, as many as channelCount
    quint32 word = 0;            // the pixel's bytes as one value, first byte lowest
    QRgb shown = 0;              // the colour the window shows for it
};

// The picture must hold (x, y).
RawPixel rawPixel(const QImage& received, int x, int y);

// The levels of one pixel, without the colour shown: for loops over many pixels.
inline void rawLevels(RawFormat format, const uchar* pixel, int* levels)
{
    switch (format) {
    case RawFormat::Grey8:
        levels[0] = pixel[0];
        break;
    case RawFormat::Rgb565: {
        const int word = pixel[0] | pixel[1] << 8;
        levels[0] = word >> 11;
        levels[1] = (word >> 5) & 0x3f;
        levels[2] = word & 0x1f;
        break;
    }
    case RawFormat::Rgb888:
        levels[0] = pixel[0];
        levels[1] = pixel[1];
        levels[2] = pixel[2];
        break;
    }
}

// A received picture in a format rawLevels can read: the three formats stay as they are, others
// become RGB888.
QImage rawReadable(const QImage& received);

#endif // RAWPIXEL_H
