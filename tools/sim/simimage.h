#ifndef KASIM_SIMIMAGE_H
#define KASIM_SIMIMAGE_H

#include <QByteArray>
#include <QImage>
#include <QString>

// One picture as the device holds it: raw pixel bytes exactly as they go over the wire, rows packed
// top-down with no padding. Fields are public so tests can build deliberately broken images.
class SimImage
{
public:
    int index = 0;
    int width = 0;
    int height = 0;
    int bpp = 0; // 1 grey, 2 RGB 5-6-5 low byte first, 3 R,G,B
    QByteArray pixels;

    // Gradients and bars that differ per index and reveal flipped rows or columns.
    static SimImage pattern(int index, int width, int height, int bpp);
    // Null when bpp is not 1, 2 or 3 or the image is null.
    static SimImage fromImage(int index, const QImage& image, int bpp);
    // Null when the file cannot be read.
    static SimImage fromFile(int index, const QString& path, int bpp);

    // The same picture with every row turned left by this many columns, wrapping round.
    SimImage shifted(int columns) const;

    bool isNull() const { return width <= 0 || height <= 0; }
    // What a correct decoder makes of the pixels: RGB888, RGB16 or grey Indexed8. Null when the
    // pixel bytes do not match the size.
    QImage toQImage() const;
};

#endif
