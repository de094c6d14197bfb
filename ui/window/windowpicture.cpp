#include "ui/window/windowpicture.h"

#include <QGuiApplication>

QPixmap windowPicture(const QString& path)
{
    if (qRound(qApp->devicePixelRatio()) >= 2) {
        // Qt reads the ratio from the "@2x" in the name.
        const QPixmap doubled(path + QStringLiteral("@2x"));
        if (!doubled.isNull())
            return doubled;
    }
    return QPixmap(path);
}

QSize logicalSize(const QPixmap& pixmap)
{
    return pixmap.size() / pixmap.devicePixelRatio();
}
