// The keyboard and screen readers: shortcuts, the order of Tab, the help window, and the name and
// description of every control in the current language.
#include "ui/window/mainwindow.h"

#include "ui/autosave/autosave.h"
#include "ui/help/helpwindow.h"
#include "ui/viewer/vieweropener.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

namespace {

void addShortcut(QWidget* window, const QKeySequence& keys, QPushButton* button)
{
    auto* shortcut = new QShortcut(keys, window);
    // As a click, so the button's own slot decides, whatever its state.
    QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
}

} // namespace

void MainWindow::initKeyboard()
{
    addShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_K), buttonConnect);
    addShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_E), buttonExport);
    addShortcut(this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), buttonExportAll);
    addShortcut(this, QKeySequence(Qt::Key_F1), buttonHelp);
    auto* currentPicture = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(currentPicture, &QShortcut::activated, this, &MainWindow::slotCurrentPicture);
    auto* liveView = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5), this);
    connect(liveView, &QShortcut::activated, this, &MainWindow::slotLiveView);
    // What the keys bring, an open viewer shows.
    connect(currentPicture, &QShortcut::activated, viewerOpener, &ViewerOpener::slotFollowCurrent);
    connect(liveView, &QShortcut::activated, viewerOpener, &ViewerOpener::slotFollowCurrent);
    auto* eachPicture = new QShortcut(AutoSave::shortcut(), this);
    connect(eachPicture, &QShortcut::activated, autoSave, &AutoSave::slotToggle);

    // Along the window as it reads: the large buttons, the pictures, then the top right.
    const QList<QWidget*> order{buttonConnect, buttonExport, buttonExportAll, listWidget, buttonCh,
                                buttonEn,      buttonHelp,   buttonMinimize,  buttonClose};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // The arrow keys work at once; the list shows no focus frame until the keyboard moves it.
    listWidget->setFocus(Qt::OtherFocusReason);
}

void MainWindow::slotButtonHelp()
{
    if (!helpWindow)
        helpWindow = new HelpWindow(this);
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}

void MainWindow::applyAccessibleTexts()
{
    // Buttons with a text are named by it; the picture-only ones need a name of their own.
    buttonConnect->setAccessibleDescription(
        tr("Connects to the device and downloads its pictures, or disconnects (Ctrl+K)"));
    buttonExport->setAccessibleDescription(tr("Saves the preview as a JPEG file (Ctrl+E)"));
    buttonExportAll->setAccessibleDescription(tr("Saves every picture into a folder (Ctrl+Shift+E)"));
    buttonClose->setAccessibleName(tr("Close"));
    buttonClose->setAccessibleDescription(tr("Quits the program"));
    buttonMinimize->setAccessibleName(tr("Minimise"));
    buttonMinimize->setAccessibleDescription(tr("Minimises the window"));
    buttonHelp->setAccessibleName(tr("Help"));
    buttonHelp->setAccessibleDescription(tr("Opens the help window (F1)"));
    buttonCh->setAccessibleName(tr("Chinese"));
    buttonCh->setAccessibleDescription(tr("Shows the window in Simplified Chinese"));
    buttonEn->setAccessibleName(tr("English"));
    buttonEn->setAccessibleDescription(tr("Shows the window in English"));
    widgetTitle->setAccessibleName(tr("KA Image Viewer"));
    labelStatusIcon->setAccessibleName(tr("Connection status"));
    labelStatusText->setAccessibleDescription(tr("Connection status"));
    listWidget->setAccessibleName(tr("Pictures"));
    listWidget->setAccessibleDescription(
        tr("The received pictures; the arrow keys move through them and the preview follows"));
    labelFrame->setAccessibleName(tr("Preview"));
    labelFrame->setAccessibleDescription(
        tr("Its menu saves originals and each picture as it arrives (Ctrl+Shift+S)"));
    labelPreview->setAccessibleDescription(tr("The selected picture at its own size; its number is below"));
    labelImageNumber->setAccessibleDescription(tr("Number of the picture in the preview"));
    labelLogo->setAccessibleName(tr("Maker's logo"));
}
