#ifndef WINDOWPICTURES_H
#define WINDOWPICTURES_H

#include <QImage>

class FontSet;

// The window itself and the small controls drawn on it.
QImage paintBackground();
QImage paintFrame();
QImage paintUnderline();
QImage paintClose(bool hovered);
QImage paintMinimize(bool hovered);
QImage paintHelp(const FontSet& fonts, bool hovered);

#endif // WINDOWPICTURES_H
