#include "app/viewerapplication.h"

#include "app/highdpi.h"
#include "core/debuglog.h"
#include "ui/window/fontfamilies.h"

int& ViewerApplication::prepare(int& argc)
{
    // Before anything is logged: the help window shows the log too.
    DebugLog::install();
    enableHighDpiScaling();
    return argc;
}

ViewerApplication::ViewerApplication(int& argc, char** argv) : QApplication(prepare(argc), argv)
{
    setDesktopFileName("org.kaviewer.KaViewer");
    loadFontFamilies();
}
