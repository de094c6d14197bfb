#include "simimage.h"

#include <QVector>
#include <cstring>

SimImage SimImage::pattern(int index, int width, int height, int bpp)
{
    QImage rgb(width, height, QImage::Format_RGB888);
    const int shade = (index * 67) & 0xff;
    for (int y = 0; y < height; ++y) {
        uchar* p = rgb.scanLine(y);
        for (int x = 0; x < width; ++x) {
            *p++ = static_cast<uchar>(x * 255 / qMax(1, width - 1));
            *p++ = static_cast<uchar>(y * 255 / qMax(1, height - 1));
            *p++ = static_cast<uchar>((x / 8) % 2 ? shade : 255 - shade);
        }
    }
    return fromImage(index, rgb, bpp);
}

SimImage SimImage::fromImage(int index, const QImage& image, int bpp)
{
    if (image.isNull() || bpp < 1 || bpp > 3)
        return {};
    SimImage out{index, image.width(), image.height(), bpp, {}};
    out.pixels.resize(out.width * out.height * bpp);
    char* dst = out.pixels.data();
    const int rowBytes = out.width * bpp;
    if (bpp == 1) {
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < out.height; ++y)
            std::memcpy(dst + y * rowBytes, grey.constScanLine(y), rowBytes);
        return out;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < out.height; ++y) {
        const uchar* src = rgb.constScanLine(y);
        if (bpp == 3) {
            std::memcpy(dst + y * rowBytes, src, rowBytes);
            continue;
        }
        uchar* row = reinterpret_cast<uchar*>(dst + y * rowBytes);
        for (int x = 0; x < out.width; ++x, src += 3) {
            // Truncating makes fromImage(toQImage()) an exact round trip.
            const quint16 v =
                static_cast<quint16>(((src[0] & 0xf8) << 8) | ((src[1] & 0xfc) << 3) | (src[2] >> 3));
            row[2 * x] = static_cast<uchar>(v & 0xff);
            row[2 * x + 1] = static_cast<uchar>(v >> 8);
        }
    }
    return out;
}

SimImage SimImage::fromFile(int index, const QString& path, int bpp)
{
    return fromImage(index, QImage(path), bpp);
}

SimImage SimImage::shifted(int columns) const
{
    if (isNull() || pixels.size() != qint64(width) * height * bpp)
        return *this;
    SimImage out = *this;
    const int rowBytes = width * bpp;
    const int cut = ((columns % width + width) % width) * bpp;
    char* dst = out.pixels.data();
    for (int y = 0; y < height; ++y) {
        const char* row = pixels.constData() + y * rowBytes;
        std::memcpy(dst + y * rowBytes, row + cut, size_t(rowBytes - cut));
        std::memcpy(dst + y * rowBytes + rowBytes - cut, row, size_t(cut));
    }
    return out;
}

QImage SimImage::toQImage() const
{
    if (isNull() || bpp < 1 || bpp > 3 || pixels.size() != qint64(width) * height * bpp)
        return {};
    const int rowBytes = width * bpp;
    const auto* src = reinterpret_cast<const uchar*>(pixels.constData());
    if (bpp == 2) {
        QImage img(width, height, QImage::Format_RGB16);
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<quint16*>(img.scanLine(y));
            const uchar* p = src + y * rowBytes;
            for (int x = 0; x < width; ++x)
                row[x] = static_cast<quint16>(p[2 * x] | (p[2 * x + 1] << 8));
        }
        return img;
    }
    QImage img(width, height, bpp == 3 ? QImage::Format_RGB888 : QImage::Format_Indexed8);
    if (bpp == 1) {
        QVector<QRgb> greys(256);
        for (int i = 0; i < 256; ++i)
            greys[i] = qRgb(i, i, i);
        img.setColorTable(greys);
    }
    for (int y = 0; y < height; ++y)
        std::memcpy(img.scanLine(y), src + y * rowBytes, rowBytes);
    return img;
}
