#include "support/dialoganswer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

// Unlike its address, a property cannot carry over to a new dialog allocated in the same place.
static const char* const kAnswered = "dialogAnswerDone";

DialogAnswer::DialogAnswer(const QString& path) : path(path)
{
    QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
    timer.start(20);
}

void DialogAnswer::answer(QFileDialog* dialog) const
{
    if (path.isEmpty()) {
        dialog->reject();
        return;
    }
    const bool directory = dialog->fileMode() == QFileDialog::Directory;
    if (directory)
        dialog->setDirectory(path);
    // Selecting through the dialog's API does not reach a name field that has focus.
    if (QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
        name->setText(directory ? QString() : path);
    // QFileDialog hides accept(); QDialog's reaches the same override.
    static_cast<QDialog*>(dialog)->accept();
}

void DialogAnswer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    QFileDialog* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog && !dialog->property(kAnswered).toBool()) {
        dialog->setProperty(kAnswered, true);
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
