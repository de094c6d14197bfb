#include "app/viewerapplication.h"
#include "ui/window/mainwindow.h"

#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    ViewerApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Downloads, shows and saves the pictures of the KA imaging device.");
    parser.addHelpOption();
    parser.process(app);
    int result;
    {
        MainWindow window;
        window.show();
        result = app.exec();
    }
    return result;
}
