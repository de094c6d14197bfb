#ifndef FRAMEBYTES_H
#define FRAMEBYTES_H

#include <QByteArray>
#include <QImage>
#include <QString>

// A literal with every byte it holds, zero bytes included.
template <int N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// Size, format and the pixel bytes row by row, without the padding QImage adds to each row: two
// images describe the same exactly when a decoder filled them alike.
inline QString describe(const QImage& image)
{
    if (image.isNull())
        return QStringLiteral("null");
    const int rowBytes = image.width() * image.depth() / 8;
    QByteArray rows;
    for (int y = 0; y < image.height(); ++y)
        rows += QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    return QStringLiteral("%1x%2 format %3 %4")
        .arg(image.width())
        .arg(image.height())
        .arg(int(image.format()))
        .arg(QString::fromLatin1(rows.toHex()));
}

#endif // FRAMEBYTES_H
