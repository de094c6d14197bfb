#include "windowrig.h"

#include "eventwait.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

WindowRig::WindowRig()
{
    clock.start();
    window.show();
    shown = QTest::qWaitForWindowExposed(&window);
    QObject::connect(&window, &MainWindow::signalGetStoredImage, [this] { markRequest(); });
    QObject::connect(list()->model(), &QAbstractItemModel::rowsInserted,
                     [this](const QModelIndex&, int first, int last) {
                         const GuiWatch::CpuTime cpu = GuiWatch::threadCpu();
                         for (int row = first; row <= last; ++row)
                             rowCpu.append(cpu);
                         lastRowNs = clock.nsecsElapsed();
                     });
}

void WindowRig::markRequest()
{
    requestCpu = GuiWatch::threadCpu();
    requestNs = clock.nsecsElapsed();
    rowCpu.clear();
    resetWatches();
}

void WindowRig::resetWatches()
{
    watch.reset();
    idleWatch.reset();
}

QListWidget* WindowRig::list() const
{
    return window.findChild<QListWidget*>("listWidget");
}

QImage WindowRig::preview() const
{
    return window.findChild<QLabel*>("labelPreview")->pixmap(Qt::ReturnByValue).toImage();
}

QString WindowRig::statusText() const
{
    return window.findChild<QLabel*>("labelStatusText")->text();
}

bool WindowRig::clickConnectAndWait(const QString& status, int timeoutMs)
{
    window.findChild<QPushButton*>("buttonConnect")->click();
    return runUntil([this, &status] { return statusText() == status; }, timeoutMs);
}

bool WindowRig::connect(int timeoutMs)
{
    return clickConnectAndWait("Connected", timeoutMs);
}

bool WindowRig::disconnect(int timeoutMs)
{
    return clickConnectAndWait("Disonnected", timeoutMs);
}

bool WindowRig::waitRows(int rows, int timeoutMs)
{
    return runUntil([this, rows] { return list()->count() >= rows; }, timeoutMs);
}
