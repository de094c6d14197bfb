#ifndef DIALOGANSWER_H
#define DIALOGANSWER_H

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Answers the file dialogs that a slot runs modally, from inside their own event loop, as a user
// would: a directory picker goes into the path, any other dialog gets the path typed into its name
// field; an empty path cancels. Any other modal widget, or an answered dialog that stays open, is
// noted as stray (a message box with its text) and rejected, so a wrong answer fails the test instead of
// hanging it.
class DialogAnswer
{
public:
    explicit DialogAnswer(const QString& path) : path(path)
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(20);
    }

    int dialogs() const { return answered; }
    QStringList strays() const { return strayModals; }
    // What each answered dialog's name field held when it opened.
    QStringList suggestions() const { return suggested; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        QFileDialog* dialog = qobject_cast<QFileDialog*>(modal);
        // Unlike its address, a property cannot carry over to a new dialog allocated in the same place.
        if (dialog && !dialog->property("answered").toBool()) {
            dialog->setProperty("answered", true);
            ++answered;
            answer(dialog);
            return;
        }
        QString stray = QString(modal->metaObject()->className()) + " \"" + modal->windowTitle() + "\"";
        // A message box's text is what the user is told, so it belongs to the record.
        if (QMessageBox* box = qobject_cast<QMessageBox*>(modal))
            stray += ": " + box->text();
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
        // QFileDialog hides accept(); QDialog's reaches the same override.
        static_cast<QDialog*>(dialog)->accept();
    }

    QString path;
    QTimer timer;
    int answered = 0;
    QStringList strayModals;
    QStringList suggested;
};

#endif // DIALOGANSWER_H
