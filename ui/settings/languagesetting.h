#ifndef LANGUAGESETTING_H
#define LANGUAGESETTING_H

#include <QString>

// The language lives in the settings file; every refresh reads it afresh.
namespace LanguageSetting {

extern const char* const key;
extern const char* const chinese;
extern const char* const english;

// True only for the exact stored value "chinesesimplified"; reading never creates the file.
bool isChinese();

// False when the choice could not be written; it then holds for the session.
bool store(const char* value);

// The compiled translation of the stored language in the resources; empty for English, the
// language of the source texts, and for any value without a translation.
QString translationResource();

// The compiled translation of the shared library's texts (the failure reasons) for the stored
// language; empty for English.
QString coreTranslationResource();

// The name of Qt's own translation for the stored language ("qtbase_zh_CN"); empty for English.
QString qtTranslation();

} // namespace LanguageSetting

#endif // LANGUAGESETTING_H
