#include "ui/autosave/autosavesetting.h"

#include "ui/settings/settingsfile.h"

namespace AutoSaveSetting {

namespace {
const char* const key = "autosavefolder";
}

QString folder()
{
    return SettingsFile::value(key);
}

bool store(const QString& folder)
{
    return SettingsFile::store(key, folder);
}

} // namespace AutoSaveSetting
