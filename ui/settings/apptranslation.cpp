#include "ui/settings/apptranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QtDebug>

namespace AppTranslation {

namespace {

// One installed translation, switched only when its name changes: every refresh asks, and
// reinstalling the same one would only send needless events.
struct Slot
{
    QPointer<QTranslator> translator;
    QString installed;

    bool use(const QString& name, const QStringList& folders)
    {
        if (!translator) // none yet, or gone with an earlier application object
            installed.clear();
        if (name == installed)
            return true;
        if (translator)
            QCoreApplication::removeTranslator(translator);
        installed.clear();
        if (name.isEmpty())
            return true;
        if (!translator)
            translator = new QTranslator(QCoreApplication::instance());
        bool loaded = folders.isEmpty() && translator->load(name);
        for (const QString& folder : folders)
            loaded = loaded || translator->load(name, folder);
        if (!loaded) {
            qWarning() << "cannot load translation" << name << folders;
            return false;
        }
        QCoreApplication::installTranslator(translator);
        installed = name;
        return true;
    }
};

Slot ours;
Slot core;
Slot qts;

} // namespace

bool use(const QString& resource, const QString& coreResource, const QString& qtName)
{
    const QStringList qtFolders{QLibraryInfo::location(QLibraryInfo::TranslationsPath),
                                QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    qts.use(qtName, qtFolders);
    const bool coreLoaded = core.use(coreResource, {});
    return ours.use(resource, {}) && coreLoaded;
}

} // namespace AppTranslation
