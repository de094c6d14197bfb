#ifndef PIXELFONT_H
#define PIXELFONT_H

#include <QFont>

// A font of the given family at a pixel size; the weight is left to the family unless given.
inline QFont pixelFont(const QString& family, int pixelSize, int weight = -1)
{
    QFont font(family, -1, weight, false);
    font.setPixelSize(pixelSize);
    return font;
}

#endif // PIXELFONT_H
