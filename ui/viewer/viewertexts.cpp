#include "ui/viewer/viewertexts.h"

#include <QColor>
#include <QLocale>
#include <QPoint>
#include <QStringList>
#include <algorithm>

namespace {

// Wide characters take two columns of a fixed-width font.
QString spaces(const QString& text, int columns)
{
    int used = 0;
    for (const QChar c : text)
        used += c.unicode() >= 0x1100 ? 2 : 1;
    return QString(std::max(0, columns - used), QLatin1Char(' '));
}

} // namespace

QString ViewerTexts::channel(RawFormat format, int channel)
{
    return format == RawFormat::Grey8 ? tr("Grey") : QString::fromLatin1(channelName(format, channel));
}

QString ViewerTexts::pixel(const QPoint& at, const RawPixel& pixel)
{
    QStringList levels;
    for (int c = 0; c < channelCount(pixel.format); ++c)
        levels.append(QStringLiteral("%1 %2").arg(channel(pixel.format, c)).arg(pixel.levels.at(size_t(c))));
    QString raw = levels.join(QStringLiteral(", "));
    if (pixel.format == RawFormat::Rgb565)
        raw += QStringLiteral(" (0x%1)").arg(
            QStringLiteral("%1").arg(pixel.word, 4, 16, QLatin1Char('0')).toUpper());
    return tr("x %1, y %2: %3, shown as %4")
        .arg(at.x())
        .arg(at.y())
        .arg(raw, QColor(pixel.shown).name().toUpper());
}

QString ViewerTexts::figures(const RegionStats& stats)
{
    const QRect& r = stats.region;
    const QLocale c = QLocale::c();
    QStringList lines;
    lines.append(
        tr("Region x %1, y %2, %3 by %4 pixels").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
    lines.append(
        QStringList{tr("Channel"), tr("Min"), tr("Max"), tr("Mean"), tr("Std dev"), tr("Count")}.join('\t'));
    for (int i = 0; i < stats.channels.size(); ++i) {
        const ChannelStats& s = stats.channels.at(i);
        lines.append(QStringList{channel(stats.format, i), QString::number(s.minimum),
                                 QString::number(s.maximum), c.toString(s.mean, 'f', 2),
                                 c.toString(s.deviation, 'f', 2), QString::number(s.count)}
                         .join('\t'));
    }
    return lines.join('\n');
}

QString ViewerTexts::figuresInColumns(const RegionStats& stats)
{
    static const int widths[] = {7, 5, 5, 8, 8, 7};
    QStringList lines = figures(stats).split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines.at(i).split('\t');
        QString line = cells.at(0) + spaces(cells.at(0), widths[0]);
        for (int c = 1; c < cells.size(); ++c)
            line += spaces(cells.at(c), widths[c]) + cells.at(c);
        lines[i] = line;
    }
    return lines.join('\n');
}
