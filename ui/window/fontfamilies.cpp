#include "ui/window/fontfamilies.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFontDatabase>
#include <QStringList>

QString fontFamilyEn;
QString fontFamilyEnBold;
QString fontFamilyCh;
QString fontFamilyChBold;

QString loadFontFamily(const QString& path)
{
    const int fontId = QFontDatabase::addApplicationFont(path);
    qDebug() << "fontId = " << fontId;
    const QStringList families = QFontDatabase::applicationFontFamilies(fontId);
    const QString family = families.value(0);
    qDebug() << "msyh = " << family;
    return family;
}

void loadFontFamilies()
{
    fontFamilyEn = loadFontFamily(QCoreApplication::applicationDirPath() + "/fonts/Roboto-Regular.ttf");
    fontFamilyEnBold = loadFontFamily(QCoreApplication::applicationDirPath() + "/fonts/Roboto-Bold.ttf");
    fontFamilyCh =
        loadFontFamily(QCoreApplication::applicationDirPath() + "/fonts/wenquanyidengkuanweimihei.ttf");
    fontFamilyChBold = fontFamilyCh;
}
