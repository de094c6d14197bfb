#ifndef DIALOGANSWER_H
#define DIALOGANSWER_H

#include "support/plaintext.h"
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <functional>

// Answers the file dialogs that a slot runs modally, from inside their own event loop, as a user
// would: a directory picker goes into the path, any other dialog gets the path typed into its name
// field; an empty path cancels. A question with the button given to reply() gets that button and is
// noted among the questions. Any other modal widget, or an answered dialog that stays open, is
// noted as stray (a message box with its text as the user reads it) and rejected, so a wrong answer
// fails the test instead of hanging it. A progress dialog is left to the test.
class DialogAnswer
{
public:
    explicit DialogAnswer(const QString& path) : path(path)
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(20);
    }

    void reply(const QString& button) { replyButton = button; }
    // Runs while each file dialog is open, before it is answered: what the program does meanwhile.
    void whileOpen(const std::function<void()>& act) { meanwhile = act; }

    int dialogs() const { return answered; }
    // The folder each file dialog opened in.
    QStringList folders() const { return openedIn; }
    QStringList questions() const { return asked; }
    QStringList strays() const { return strayModals; }
    // What each answered dialog's name field held when it opened.
    QStringList suggestions() const { return suggested; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || qobject_cast<QProgressDialog*>(modal))
            return;
        QFileDialog* dialog = qobject_cast<QFileDialog*>(modal);
        // Unlike its address, a property cannot carry over to a new dialog allocated in the same place.
        if (dialog && !dialog->property("answered").toBool()) {
            dialog->setProperty("answered", true);
            ++answered;
            openedIn.append(dialog->directory().absolutePath());
            if (meanwhile)
                meanwhile();
            answer(dialog);
            return;
        }
        QString stray = QString(modal->metaObject()->className()) + " \"" + modal->windowTitle() + "\"";
        // A message box's text is what the user is told, so it belongs to the record.
        if (QMessageBox* box = qobject_cast<QMessageBox*>(modal)) {
            stray += ": " + shownText(box);
            for (QAbstractButton* button : box->buttons()) {
                if (!replyButton.isEmpty() && button->text().remove('&') == replyButton) {
                    asked.append(stray);
                    return button->click();
                }
            }
        }
        strayModals.append(stray);
        if (QDialog* other = qobject_cast<QDialog*>(modal))
            other->reject();
        else
            modal->close();
    }

    void answer(QFileDialog* dialog)
    {
        if (QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            suggested.append(name->text());
        if (path.isEmpty())
            return dialog->reject();
        const bool directory = dialog->fileMode() == QFileDialog::Directory;
        if (directory)
            dialog->setDirectory(path);
        // Selecting through the dialog's API does not reach a name field that has focus.
        if (QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            name->setText(directory ? QString() : path);
        // QFileDialog hides accept(); QDialog's reaches the same override. It runs after this poll,
        // whose timer could not fire again for an overwrite question the accept may bring up.
        QMetaObject::invokeMethod(
            dialog, [dialog] { static_cast<QDialog*>(dialog)->accept(); }, Qt::QueuedConnection);
    }

    static QString shownText(const QMessageBox* box)
    {
        const bool rich = box->textFormat() == Qt::RichText ||
                          (box->textFormat() == Qt::AutoText && Qt::mightBeRichText(box->text()));
        if (!rich)
            return box->text();
        return plainText(box->text());
    }

    QString path;
    QString replyButton;
    std::function<void()> meanwhile;
    QTimer timer;
    int answered = 0;
    QStringList openedIn;
    QStringList asked;
    QStringList strayModals;
    QStringList suggested;
};

#endif // DIALOGANSWER_H
