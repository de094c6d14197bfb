#ifndef BRANDPICTURES_H
#define BRANDPICTURES_H

#include <QImage>

class FontSet;

// Product title for the header, the maker's name for the bottom corner, and the application logo.
QImage paintTitle(const FontSet& fonts, bool chinese);
QImage paintMakerLogo(const FontSet& fonts, bool chinese);
QImage paintLogo();

#endif // BRANDPICTURES_H
