#include "ui/settings/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

namespace SettingsFile {

namespace {

const char* const fileName = "kalocfg.ini";

// By file and key, so that another working folder starts from its own file.
QHash<QString, QString>& unsavedValues()
{
    static QHash<QString, QString> values;
    return values;
}

QString unsavedKey(const char* key)
{
    return path() + QLatin1Char('\n') + QLatin1String(key);
}

} // namespace

QString path()
{
    return QDir::toNativeSeparators(QFileInfo(QString::fromLatin1(fileName)).absoluteFilePath());
}

QString value(const char* key)
{
    const auto unsaved = unsavedValues().constFind(unsavedKey(key));
    if (unsaved != unsavedValues().constEnd())
        return *unsaved;
    const QSettings settings(fileName, QSettings::IniFormat);
    return settings.value(key).toString();
}

bool store(const char* key, const QString& value)
{
    QSettings settings(fileName, QSettings::IniFormat);
    settings.setValue(key, value);
    settings.sync();
    const bool saved = settings.status() == QSettings::NoError;
    if (saved)
        unsavedValues().remove(unsavedKey(key));
    else
        unsavedValues().insert(unsavedKey(key), value);
    return saved;
}

} // namespace SettingsFile
