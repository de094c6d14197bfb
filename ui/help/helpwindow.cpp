#include "ui/help/helpwindow.h"

#include "core/debuglog.h"
#include "core/linkfailuretext.h"
#include "ui/export/filechooser.h"
#include "ui/settings/languagesetting.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/pixelfont.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// New log lines show within this while the window is open.
const int kLogRefreshMs = 500;

QString row(const QString& first, const QString& second, const QString& third = QString())
{
    QString cells = "<td>" + first.toHtmlEscaped() + "</td><td>" + second.toHtmlEscaped() + "</td>";
    if (!third.isNull())
        cells += "<td>" + third.toHtmlEscaped() + "</td>";
    return "<tr>" + cells + "</tr>";
}

QString table(const QStringList& headers, const QStringList& rows)
{
    QString head;
    for (const QString& header : headers)
        head += "<th align=\"left\">" + header.toHtmlEscaped() + "</th>";
    return "<table cellspacing=\"0\" cellpadding=\"4\" border=\"1\" style=\"border-collapse:collapse\"><tr>" +
           head + "</tr>" + rows.join(QString()) + "</table>";
}

QString failureName(KaLinkFailure::Reason reason)
{
    KaLinkFailure failure;
    failure.reason = reason;
    return LinkFailureText::brief(failure);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), tabWidget(new QTabWidget(this)), browserControls(new QTextBrowser),
      browserTroubleshooting(new QTextBrowser), browserAbout(new QTextBrowser), widgetLog(new QWidget),
      textLog(new QPlainTextEdit), buttonCopy(new QPushButton), buttonSave(new QPushButton),
      timerLog(new QTimer(this)), logShown(0)
{
    setObjectName("helpWindow");
    resize(680, 520);
    tabWidget->setObjectName("tabWidget");
    browserControls->setObjectName("browserControls");
    browserTroubleshooting->setObjectName("browserTroubleshooting");
    browserAbout->setObjectName("browserAbout");
    textLog->setObjectName("textLog");
    buttonCopy->setObjectName("buttonCopy");
    buttonSave->setObjectName("buttonSave");

    textLog->setReadOnly(true);
    textLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The view drops its oldest lines as the log does; this also keeps no undo history.
    textLog->setMaximumBlockCount(DebugLog::capacity);
    auto* logButtons = new QHBoxLayout;
    logButtons->addStretch();
    logButtons->addWidget(buttonCopy);
    logButtons->addWidget(buttonSave);
    auto* logLayout = new QVBoxLayout(widgetLog);
    logLayout->addWidget(textLog);
    logLayout->addLayout(logButtons);

    tabWidget->addTab(browserControls, QString());
    tabWidget->addTab(browserTroubleshooting, QString());
    tabWidget->addTab(browserAbout, QString());
    tabWidget->addTab(widgetLog, QString());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabWidget);

    connect(buttonCopy, &QPushButton::clicked, this, &HelpWindow::slotCopyLog);
    connect(buttonSave, &QPushButton::clicked, this, &HelpWindow::slotSaveLog);
    connect(timerLog, &QTimer::timeout, this, &HelpWindow::refreshLog);
    timerLog->setInterval(kLogRefreshMs);

    retranslate();
}

void HelpWindow::retranslate()
{
    const bool chinese = LanguageSetting::isChinese();
    setFont(pixelFont(chinese ? fontFamilyCh : fontFamilyEn, 14));
    setWindowTitle(tr("KA Image Viewer Help"));
    tabWidget->setTabText(0, tr("Controls"));
    tabWidget->setTabText(1, tr("Troubleshooting"));
    tabWidget->setTabText(2, tr("About"));
    tabWidget->setTabText(3, tr("Log"));
    buttonCopy->setText(tr("Copy"));
    buttonSave->setText(tr("Save…"));
    buttonCopy->setAccessibleDescription(tr("Copies the whole log to the clipboard"));
    buttonSave->setAccessibleDescription(tr("Saves the whole log as a text file"));
    textLog->setAccessibleName(tr("Log"));
    textLog->setAccessibleDescription(tr("The program's messages since it started, newest last"));

    browserControls->setHtml(
        table({tr("Control"), tr("Keys"), tr("What it does")},
              {row(tr("Connect / Disconnect"), tr("Ctrl+K"),
                   tr("Finds the device's USB serial port, connects and downloads the stored pictures; "
                      "pressed again, disconnects. The pictures stay on screen.")),
               row(tr("Export"), tr("Ctrl+E"),
                   tr("Saves the preview (frame, picture and its number) as a JPEG file.")),
               row(tr("Export All"), tr("Ctrl+Shift+E"),
                   tr("Saves every picture into a folder you choose, one JPEG file each.")),
               row(tr("Picture list"), tr("Up, Down, Page Up, Page Down, Home, End"),
                   tr("Click a row or move with the keys: the preview shows that picture. The newest "
                      "arrival always takes the preview.")),
               row(tr("Current picture"), tr("F5"),
                   tr("Asks the device for the picture it shows now and previews it, without adding it "
                      "to the list. Also on the preview's right-click menu.")),
               row(tr("Live view"), tr("Shift+F5"),
                   tr("Asks for the next current picture each time one arrives, until pressed again, "
                      "Disconnect, a failure or a stored transfer.")),
               row(tr("Save original…, Save all originals…"), QString(),
                   tr("Right-click a row or the preview: saves the received picture at its own size as "
                      "PNG.")),
               row(tr("Save each picture as it arrives…"), tr("Ctrl+Shift+S"),
                   tr("Asks for a folder, then saves the pictures in the list and each one that arrives "
                      "as PNG, in a folder named after the device, never twice; pressed again, stops. "
                      "Also on the right-click menus.")),
               row(tr("Viewer"), tr("Double click, Enter"),
                   tr("Opens the row's or the preview's picture in a window of its own; also on the "
                      "right-click menus.")),
               row(tr("Viewer: zoom"), tr("Wheel, +, -, 0, F"),
                   tr("Zooms about the pointer from 1/8 to 32 times; 0 is 1:1, F fits the window.")),
               row(tr("Viewer: pan"), tr("Arrow keys, drag"), tr("Moves the picture in the window.")),
               row(tr("Viewer: region"), tr("Shift+drag, A, Ctrl+C, Esc"),
                   tr("Marks a region, or the whole picture, for its figures and histogram; Ctrl+C copies "
                      "the figures, Esc clears the region, then closes the viewer.")),
               row(tr("Viewer: pictures"), tr("Page Up, Page Down, D"),
                   tr("The previous or next picture of the list, keeping zoom, position and region; D "
                      "shows the difference from the previous picture.")),
               row(tr("Viewer: record"), tr("R"),
                   tr("Records every complete current picture as PNG into a folder, with frames.csv; R "
                      "again stops.")),
               row(QString::fromUtf8("中文 / English"), QString(), tr("Switches the language at once.")),
               row(QStringLiteral("?"), tr("F1"), tr("Opens this help; Esc closes it.")),
               row(QString::fromUtf8("– / ×"), QString(), tr("Minimises the window / quits the program.")),
               row(tr("Window background"), QString(), tr("Drag it with the mouse to move the window.")),
               row(tr("All controls"), tr("Tab, Shift+Tab, Space"),
                   tr("Move between the controls and press the one that has the focus."))}));

    const QList<QPair<KaLinkFailure::Reason, QString>> reasons{
        {KaLinkFailure::NoPort,
         tr("No serial port names a CP21xx bridge; the tip lists the ports seen. Check the cable (some "
            "carry power only) and that the device is on.")},
        {KaLinkFailure::PortDenied,
         tr("Your user may not open the port. Install the package (its udev rule) or join the "
            "\"dialout\" group, then log out and in again.")},
        {KaLinkFailure::PortBusy,
         tr("Another program holds the port (a terminal program, a second kaviewer). Close it; "
            "ModemManager may hold a new port for a few seconds.")},
        {KaLinkFailure::PortGone,
         tr("The port vanished between being listed and being opened: the cable was pulled. Plug it "
            "in again.")},
        {KaLinkFailure::PortFailed, tr("The system refused the port for the reason in the tip.")},
        {KaLinkFailure::NoAnswer,
         tr("The device did not answer within 600 ms: it is off or busy. Switch it on, or unplug it "
            "and plug it in again.")},
        {KaLinkFailure::Lost,
         tr("The port failed during the handshake or while connected: the cable was pulled or the "
            "device switched off. Check the cable and press Connect again.")},
    };
    QStringList reasonRows;
    for (const auto& reason : reasons)
        reasonRows.append(row(failureName(reason.first), reason.second));
    browserTroubleshooting->setHtml(
        "<p>" +
        tr("When a connection fails or ends, the window says why below the connection status; "
           "hold the mouse over the reason for the port's name and the details.")
            .toHtmlEscaped() +
        "</p>" + table({tr("Reason"), tr("What to do")}, reasonRows) + "<p>" +
        tr("Every step is written to the log (last tab): the CP21 ports tried, the commands sent, the "
           "pictures received. To report a problem, save the log there with Save… and send it with "
           "the version (About tab) and your system (Debian or Windows version, desktop).")
            .toHtmlEscaped() +
        "</p>");

    browserAbout->setHtml(
        "<h3>" + tr("KA Image Viewer").toHtmlEscaped() + "</h3><p>" +
        tr("Version %1").arg(QStringLiteral(KA_VERSION)).toHtmlEscaped() + "<br>" +
        tr("Built with Qt %1, running on Qt %2")
            .arg(QStringLiteral(QT_VERSION_STR), qVersion())
            .toHtmlEscaped() +
        "</p><p>" +
        tr("Copyright 2025-2026 the KA Image Viewer developers. All rights reserved: no licence to "
           "copy, change or redistribute the program has been granted yet.")
            .toHtmlEscaped() +
        "</p><p>" + tr("Qt is used under the GNU Lesser General Public License, version 3.").toHtmlEscaped() +
        "</p><p>" +
        tr("Fonts: Roboto (Google), Apache License 2.0. WenQuanYi Micro Hei, Apache License 2.0 or GNU "
           "General Public License version 3 or later with the font exception.")
            .toHtmlEscaped() +
        "</p>");
}

void HelpWindow::slotCopyLog()
{
    QApplication::clipboard()->setText(DebugLog::lines().join('\n') + '\n');
}

void HelpWindow::slotSaveLog()
{
    const QString fileName =
        FileChooser::saveFile(this, tr("Save Log"), tr("Text files (*.txt)"), {QStringLiteral("txt")},
                              QStringLiteral("kaviewer-log.txt"));
    if (fileName.isEmpty())
        return;
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write((DebugLog::lines().join('\n') + '\n').toUtf8()) >= 0 &&
        file.commit())
        return;
    QMessageBox::warning(this, tr("Save Log"),
                         tr("The log could not be saved:") + '\n' + fileName + '\n' + file.errorString());
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    // The pages pass Escape on to here.
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshLog();
    timerLog->start();
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    timerLog->stop();
    QWidget::hideEvent(event);
}

void HelpWindow::refreshLog()
{
    const QStringList lines = DebugLog::linesAfter(logShown);
    if (lines.isEmpty())
        return;
    QScrollBar* vertical = textLog->verticalScrollBar();
    QScrollBar* horizontal = textLog->horizontalScrollBar();
    const bool following = vertical->value() == vertical->maximum();
    // Lines added where a selection ends would join it, so such an end stays where the text ended.
    QTextCursor selection = textLog->textCursor();
    QTextCursor oldEnd(textLog->document());
    oldEnd.movePosition(QTextCursor::End);
    oldEnd.setKeepPositionOnInsert(true);
    const bool anchorAtEnd = selection.anchor() == oldEnd.position();
    const bool positionAtEnd = selection.position() == oldEnd.position();
    textLog->appendPlainText(lines.join('\n'));
    if (selection.hasSelection() && (anchorAtEnd || positionAtEnd)) {
        const int position = positionAtEnd ? oldEnd.position() : selection.position();
        selection.setPosition(anchorAtEnd ? oldEnd.position() : selection.anchor());
        selection.setPosition(position, QTextCursor::KeepAnchor);
        // Setting the cursor scrolls to it; the user's view stays.
        const QPoint scrolled(horizontal->value(), vertical->value());
        textLog->setTextCursor(selection);
        horizontal->setValue(scrolled.x());
        vertical->setValue(scrolled.y());
    }
    if (following)
        vertical->setValue(vertical->maximum());
}
