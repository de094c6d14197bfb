#include "ui/settings/languagesetting.h"

#include "core/coretranslations.h"
#include "ui/settings/settingsfile.h"

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
    const char* language; // names kacore's translation too
    const char* qtName;
};

// A new language is a row here plus its .ts files in ui/translations and core/translations (its
// fonts and pictures aside).
const Translation translations[] = {
    {chinese, ":/translations/kaviewer_zh_CN.qm", "zh_CN", "qtbase_zh_CN"},
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

namespace {

const Translation* storedTranslation()
{
    const QString value = storedValue();
    for (const Translation& translation : translations) {
        if (value == QLatin1String(translation.value))
            return &translation;
    }
    return nullptr;
}

} // namespace

QString translationResource()
{
    const Translation* translation = storedTranslation();
    return translation ? QString::fromLatin1(translation->resource) : QString();
}

QString coreTranslationResource()
{
    const Translation* translation = storedTranslation();
    return translation ? CoreTranslations::resource(QString::fromLatin1(translation->language)) : QString();
}

QString qtTranslation()
{
    const Translation* translation = storedTranslation();
    return translation ? QString::fromLatin1(translation->qtName) : QString();
}

} // namespace LanguageSetting
