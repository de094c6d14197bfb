#include "core/regionstats.h"

#include <cmath>

RegionStats regionStats(const QImage& received, const QRect& region)
{
    const QImage readable = rawReadable(received);
    RegionStats stats;
    stats.format = rawFormat(readable);
    stats.region = region.intersected(readable.rect());
    const int channels = channelCount(stats.format);
    const int bytes = bytesPerPixel(stats.format);
    stats.channels.resize(channels);
    for (int c = 0; c < channels; ++c)
        stats.channels[c].histogram.fill(0, channelMaximum(stats.format, c) + 1);
    if (stats.region.isEmpty())
        return stats;

    int levels[3] = {};
    for (int y = stats.region.top(); y <= stats.region.bottom(); ++y) {
        const uchar* pixel = readable.constScanLine(y) + stats.region.left() * bytes;
        for (int x = 0; x < stats.region.width(); ++x, pixel += bytes) {
            rawLevels(stats.format, pixel, levels);
            for (int c = 0; c < channels; ++c)
                ++stats.channels[c].histogram[levels[c]];
        }
    }
    // From the histogram: exact sums whatever the region's size.
    for (ChannelStats& channel : stats.channels) {
        double sum = 0;
        channel.minimum = -1;
        for (int level = 0; level < channel.histogram.size(); ++level) {
            const qint64 n = channel.histogram.at(level);
            if (!n)
                continue;
            if (channel.minimum < 0)
                channel.minimum = level;
            channel.maximum = level;
            channel.count += n;
            sum += double(n) * level;
        }
        channel.mean = sum / double(channel.count);
        double squares = 0;
        for (int level = channel.minimum; level <= channel.maximum; ++level) {
            const double d = level - channel.mean;
            squares += double(channel.histogram.at(level)) * d * d;
        }
        channel.deviation = std::sqrt(squares / double(channel.count));
    }
    return stats;
}
