#include "app/fontfamilies.h"
#include "app/highdpi.h"
#include "ui/debuglog.h"
#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before anything is logged: the help window shows the log too.
    DebugLog::install();
    enableHighDpiScaling();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("org.kaviewer.KaViewer");

    loadFontFamilies();

    int result;
    {
        MainWindow window;
        window.show();
        result = app.exec();
    }
    return result;
}
