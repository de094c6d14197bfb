#include "core/differenceimage.h"

#include "core/rawpixel.h"

#include <array>
#include <cstdlib>

namespace {

const int kOneLevel = 96;

std::array<uchar, 256> amplification(int maximum)
{
    std::array<uchar, 256> shade{};
    for (int d = 1; d <= maximum; ++d)
        shade[d] = uchar(maximum == 1 ? 255 : kOneLevel + (d - 1) * (255 - kOneLevel) / (maximum - 1));
    return shade;
}

} // namespace

QImage differenceImage(const QImage& current, const QImage& previous)
{
    const QImage a = rawReadable(current);
    const QImage b = rawReadable(previous);
    if (a.isNull() || a.size() != b.size() || a.format() != b.format())
        return QImage();
    const RawFormat format = rawFormat(a);
    const int channels = channelCount(format);
    const int bytes = bytesPerPixel(format);
    std::array<std::array<uchar, 256>, 3> shades;
    for (int c = 0; c < channels; ++c)
        shades[c] = amplification(channelMaximum(format, c));

    QImage difference(a.size(), QImage::Format_RGB888);
    int levelsA[3] = {};
    int levelsB[3] = {};
    for (int y = 0; y < a.height(); ++y) {
        const uchar* pa = a.constScanLine(y);
        const uchar* pb = b.constScanLine(y);
        uchar* out = difference.scanLine(y);
        for (int x = 0; x < a.width(); ++x, pa += bytes, pb += bytes, out += 3) {
            rawLevels(format, pa, levelsA);
            rawLevels(format, pb, levelsB);
            for (int c = 0; c < 3; ++c) {
                const int channel = channels == 1 ? 0 : c;
                out[c] = shades[channel][std::abs(levelsA[channel] - levelsB[channel])];
            }
        }
    }
    return difference;
}
