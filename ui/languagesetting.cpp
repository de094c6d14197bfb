#include "ui/languagesetting.h"

#include "ui/settingsfile.h"

namespace LanguageSetting {

const char* const key = "language";
const char* const chinese = "chinesesimplified";
const char* const english = "en";

namespace {

QString storedValue()
{
    return SettingsFile::value(key);
}

struct Translation
{
    const char* value;
    const char* resource;
};

// A new language is a row here plus its .ts file in ui/translations (its fonts and pictures aside).
const Translation translations[] = {
    {chinese, ":/translations/kaviewer_zh_CN.qm"},
};

} // namespace

bool isChinese()
{
    return storedValue() == QLatin1String(chinese);
}

bool store(const char* value)
{
    return SettingsFile::store(key, QString::fromLatin1(value));
}

QString translationResource()
{
    const QString value = storedValue();
    for (const Translation& translation : translations) {
        if (value == QLatin1String(translation.value))
            return QString::fromLatin1(translation.resource);
    }
    return QString();
}

} // namespace LanguageSetting
