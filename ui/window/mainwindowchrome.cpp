// The frameless window's own chrome: dragging, close and minimise.
#include "ui/window/mainwindow.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    // A Wayland window cannot place itself; the compositor moves it. Elsewhere the window
    // follows the pointer itself, as it always has.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle() &&
        windowHandle()->startSystemMove()) {
        mousePressed = false;
        return;
    }
    dragLastPos = event->globalPos();
    mousePressed = true;
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!mousePressed)
        return;
    const QPoint globalPos = event->globalPos();
    move(pos() + globalPos - dragLastPos);
    dragLastPos = globalPos;
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    mousePressed = false;
}

void MainWindow::slotButtonClose()
{
    close();
}

void MainWindow::slotButtonMinimize()
{
    showMinimized();
}
