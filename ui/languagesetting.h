#ifndef LANGUAGESETTING_H
#define LANGUAGESETTING_H

#include <QString>

// The language lives only in the settings file; every refresh reads it afresh.
namespace LanguageSetting {

extern const char* const fileName;
extern const char* const key;
extern const char* const chinese;
extern const char* const english;

// True only for the exact stored value "chinesesimplified"; reading never creates the file.
bool isChinese();

} // namespace LanguageSetting

#endif // LANGUAGESETTING_H
