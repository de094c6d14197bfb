#include "app/fontfamilies.h"
#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    loadFontFamilies();

    int result;
    {
        MainWindow window;
        window.show();
        result = app.exec();
    }
    return result;
}
