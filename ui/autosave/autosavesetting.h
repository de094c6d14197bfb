#ifndef AUTOSAVESETTING_H
#define AUTOSAVESETTING_H

#include <QString>

// The folder that each arriving picture is saved in, kept in the settings file as
// "autosavefolder"; missing or empty means pictures are not saved as they arrive.
namespace AutoSaveSetting {

QString folder();

// Empty turns saving off. False when the file could not be written; the value then holds for
// the session.
bool store(const QString& folder);

} // namespace AutoSaveSetting

#endif // AUTOSAVESETTING_H
