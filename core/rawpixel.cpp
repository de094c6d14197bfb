#include "core/rawpixel.h"

RawFormat rawFormat(const QImage& received)
{
    switch (received.format()) {
    case QImage::Format_Indexed8:
        return RawFormat::Grey8;
    case QImage::Format_RGB16:
        return RawFormat::Rgb565;
    default:
        return RawFormat::Rgb888;
    }
}

int bytesPerPixel(RawFormat format)
{
    return format == RawFormat::Grey8 ? 1 : format == RawFormat::Rgb565 ? 2 : 3;
}

int channelCount(RawFormat format)
{
    return format == RawFormat::Grey8 ? 1 : 3;
}

int channelMaximum(RawFormat format, int channel)
{
    if (format != RawFormat::Rgb565)
        return 255;
    return channel == 1 ? 63 : 31;
}

const char* channelName(RawFormat format, int channel)
{
    static const char* const names565[] = {"R5", "G6", "B5"};
    static const char* const names888[] = {"R", "G", "B"};
    if (format == RawFormat::Grey8)
        return "Grey";
    return format == RawFormat::Rgb565 ? names565[channel] : names888[channel];
}

QImage rawReadable(const QImage& received)
{
    const QImage::Format format = received.format();
    if (format == QImage::Format_Indexed8 || format == QImage::Format_RGB16 ||
        format == QImage::Format_RGB888)
        return received;
    return received.convertToFormat(QImage::Format_RGB888);
}

RawPixel rawPixel(const QImage& received, int x, int y)
{
    const QImage readable = rawReadable(received);
    RawPixel pixel;
    pixel.format = rawFormat(readable);
    const int bytes = bytesPerPixel(pixel.format);
    const uchar* data = readable.constScanLine(y) + x * bytes;
    rawLevels(pixel.format, data, pixel.levels.data());
    for (int i = 0; i < bytes; ++i)
        pixel.word |= quint32(data[i]) << (8 * i);
    // Qt widens 5-6-5 for the screen; grey pictures come without a colour table.
    pixel.shown = pixel.format == RawFormat::Grey8 ? qRgb(data[0], data[0], data[0]) : readable.pixel(x, y);
    return pixel;
}
