#ifndef VIEWERAPPLICATION_H
#define VIEWERAPPLICATION_H

#include <QApplication>

// The program's start, shared by the program and the demo: the log collects from the first
// message, the desktop's scale is read before Qt connects to the display, and the window's fonts
// are loaded once the application exists.
class ViewerApplication : public QApplication
{
    Q_OBJECT

public:
    ViewerApplication(int& argc, char** argv);

private:
    // Runs before QApplication's constructor, which fixes the scale.
    static int& prepare(int& argc);
};

#endif // VIEWERAPPLICATION_H
