#include "fontset.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

const char robotoRegular[] = "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf";
const char robotoBold[] = "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Bold.ttf";
const char wqyMicroHei[] = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

QStringList addFontFile(const QString& path, QString* error)
{
    const QStringList families =
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(path));
    if (families.isEmpty())
        *error = QStringLiteral("cannot load font %1 (Debian packages fonts-roboto-unhinted and "
                                "fonts-wqy-microhei provide the fonts)")
                     .arg(path);
    return families;
}

} // namespace

bool FontSet::load(QString* error)
{
    const QStringList regular = addFontFile(robotoRegular, error);
    if (regular.isEmpty() || addFontFile(robotoBold, error).isEmpty())
        return false;
    const QStringList chinese = addFontFile(wqyMicroHei, error);
    if (chinese.isEmpty())
        return false;
    latinFamily = regular.first();
    // The collection holds a proportional and a monospaced face; lettering wants the proportional one.
    chineseFamily = chinese.first();
    for (const QString& family : chinese) {
        if (!family.contains(QStringLiteral("Mono"))) {
            chineseFamily = family;
            break;
        }
    }
    return true;
}

QFont FontSet::latin(int pixelSize, bool bold) const
{
    QFont font(latinFamily);
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont FontSet::chinese(int pixelSize) const
{
    QFont font(chineseFamily);
    font.setPixelSize(pixelSize);
    return font;
}
