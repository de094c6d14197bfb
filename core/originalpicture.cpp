#include "core/originalpicture.h"

#include <cstring>

QImage originalPicture(const QImage& received)
{
    switch (received.format()) {
    case QImage::Format_Indexed8: {
        // The receive side gives grey pictures no colour table, which Qt shows as grey levels;
        // any other table is shown in its colours.
        for (int i = 0; i < received.colorCount(); ++i)
            if (received.color(i) != qRgb(i, i, i))
                return received.convertToFormat(QImage::Format_RGB888);
        QImage grey(received.size(), QImage::Format_Grayscale8);
        for (int y = 0; y < received.height(); ++y)
            std::memcpy(grey.scanLine(y), received.constScanLine(y), size_t(received.width()));
        return grey;
    }
    case QImage::Format_RGB888:
        return received;
    default:
        return received.convertToFormat(QImage::Format_RGB888);
    }
}
