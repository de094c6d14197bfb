#ifndef HELPWINDOW_H
#define HELPWINDOW_H

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTimer;

// The help: how to use each control with its shortcut, what to do about each reason a
// connection fails, what the program is, and its log with Copy and Save. It speaks the main
// window's language, which tells it to retranslate.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent);

    void retranslate();

public slots:
    void slotCopyLog();
    void slotSaveLog();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refreshLog();

    QTabWidget* tabWidget;
    QTextBrowser* browserControls;
    QTextBrowser* browserTroubleshooting;
    QTextBrowser* browserAbout;
    QWidget* widgetLog;
    QPlainTextEdit* textLog;
    QPushButton* buttonCopy;
    QPushButton* buttonSave;
    QTimer* timerLog;
    quint64 logShown;
};

#endif // HELPWINDOW_H
