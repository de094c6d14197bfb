#ifndef VIEWERTEXTS_H
#define VIEWERTEXTS_H

#include "core/rawpixel.h"
#include "core/regionstats.h"

#include <QCoreApplication>
#include <QString>

// What the viewer says of a pixel and of a region, in the window's language.
class ViewerTexts
{
    Q_DECLARE_TR_FUNCTIONS(ViewerTexts)

public:
    static QString channel(RawFormat format, int channel);
    // "x 12, y 7: R5 31, G6 0, B5 0 (0xF800), shown as #FF0000"
    static QString pixel(const QPoint& at, const RawPixel& pixel);
    // A table with a tab between columns, as it goes on the clipboard.
    static QString figures(const RegionStats& stats);
    // The same table in columns of spaces, for a fixed-width font.
    static QString figuresInColumns(const RegionStats& stats);
};

#endif // VIEWERTEXTS_H
