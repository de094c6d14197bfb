// The frameless window's own chrome: dragging, close and minimise.
#include "ui/mainwindow.h"

#include <QMouseEvent>

void MainWindow::mousePressEvent(QMouseEvent* event)
{
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
