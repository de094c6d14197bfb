#ifndef SETTINGSFILE_H
#define SETTINGSFILE_H

#include <QString>

// The program's settings: "kalocfg.ini" in the working folder, read afresh at every use. A value
// that cannot be written there (a folder the user may not write) holds for the rest of the
// session instead, for that file.
namespace SettingsFile {

// The file's full path, as the user would look for it.
QString path();

// Reading never creates the file; an absent key gives an empty text.
QString value(const char* key);

// False when the file could not be written; the value then holds until the program ends.
bool store(const char* key, const QString& value);

} // namespace SettingsFile

#endif // SETTINGSFILE_H
