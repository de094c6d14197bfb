// kapull: the device's pictures from the command line.
#include "core/coretranslations.h"
#include "kapull/kapullmain.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTextStream>
#include <QTranslator>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kapull"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KA_VERSION));
    // The device library's trace is for the window's log, not for a script's terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    // The failure reasons in the system's language, as the window words them.
    QTranslator core;
    QTranslator qt;
    if (QLocale::system().language() == QLocale::Chinese) {
        const QString resource = CoreTranslations::resource(QStringLiteral("zh_CN"));
        if (!resource.isEmpty() && core.load(resource))
            QCoreApplication::installTranslator(&core);
        if (qt.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::location(QLibraryInfo::TranslationsPath)) ||
            qt.load(QStringLiteral("qtbase_zh_CN"), QCoreApplication::applicationDirPath() + "/translations"))
            QCoreApplication::installTranslator(&qt);
    }

#ifdef Q_OS_WIN
    SetConsoleOutputCP(CP_UTF8);
#endif
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    return runKapull(QCoreApplication::arguments(), out, err, isatty(fileno(stderr)) != 0);
}
