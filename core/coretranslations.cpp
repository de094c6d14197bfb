#include "core/coretranslations.h"

#include <QFile>

// A resource in a static library is linked only when something names it.
static void initCoreTranslations()
{
    Q_INIT_RESOURCE(kacore_translations);
}

namespace CoreTranslations {

QString resource(const QString& language)
{
    initCoreTranslations();
    const QString path = QStringLiteral(":/translations/kacore_%1.qm").arg(language);
    return QFile::exists(path) ? path : QString();
}

} // namespace CoreTranslations
