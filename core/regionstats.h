#ifndef REGIONSTATS_H
#define REGIONSTATS_H

#include "core/rawpixel.h"

#include <QRect>
#include <QVector>

// The figures of one channel over a region, in the device's own levels.
struct ChannelStats
{
    int minimum = 0;
    int maximum = 0;
    double mean = 0;
    double deviation = 0; // of the whole region, not of a sample
    qint64 count = 0;
    QVector<qint64> histogram; // pixels at each level, 0 to the channel's maximum
};

struct RegionStats
{
    RawFormat format = RawFormat::Grey8;
    QRect region; // within the picture; empty when nothing of the asked region was in it
    QVector<ChannelStats> channels;
};

// Each channel of the raw format over the part of `region` inside the picture.
RegionStats regionStats(const QImage& received, const QRect& region);

#endif // REGIONSTATS_H
