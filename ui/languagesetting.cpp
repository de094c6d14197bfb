#include "ui/languagesetting.h"

#include <QSettings>

namespace LanguageSetting {

const char* const fileName = "kalocfg.ini";
const char* const key = "language";
const char* const chinese = "chinesesimplified";
const char* const english = "en";

bool isChinese()
{
    QSettings settings(fileName, QSettings::IniFormat);
    return settings.value(key).toString() == QLatin1String(chinese);
}

} // namespace LanguageSetting
