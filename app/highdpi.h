#ifndef HIGHDPI_H
#define HIGHDPI_H

// Before the application object: Qt's high-DPI scaling at the desktop's own factor, unrounded, so
// that 125% and 150% stay what they are. Where an X desktop sets no scale (no Xft.dpi), the
// window stays at 1x instead of following the screen's physical size.
void enableHighDpiScaling();

#endif // HIGHDPI_H
