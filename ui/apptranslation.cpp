#include "ui/apptranslation.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>
#include <QtDebug>

namespace AppTranslation {

namespace {
QPointer<QTranslator> translator;
QString installed;
} // namespace

bool use(const QString& resource)
{
    if (!translator) // none yet, or gone with an earlier application object
        installed.clear();
    // Every refresh asks; reinstalling the same translation would only send needless events.
    if (resource == installed)
        return true;
    if (translator)
        QCoreApplication::removeTranslator(translator);
    installed.clear();
    if (resource.isEmpty())
        return true;
    if (!translator)
        translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(resource)) {
        qWarning() << "cannot load translation" << resource;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = resource;
    return true;
}

} // namespace AppTranslation
