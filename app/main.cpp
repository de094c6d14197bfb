#include "app/viewerapplication.h"
#include "ui/window/mainwindow.h"

int main(int argc, char* argv[])
{
    ViewerApplication app(argc, argv);
    int result;
    {
        MainWindow window;
        window.show();
        result = app.exec();
    }
    return result;
}
