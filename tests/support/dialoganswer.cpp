#include "support/dialoganswer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

namespace {

// Marks a dialog as answered; a property survives a new dialog reusing a freed address.
const char* const kAnsweredProperty = "dialogAnswerDone";

// The name field of Qt's own widget-based dialog.
void typeName(QFileDialog* dialog, const QString& text)
{
    if (QLineEdit* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
        edit->setText(text);
}

} // namespace

DialogAnswer::DialogAnswer(Answer answer) : answer(std::move(answer))
{
    QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
    timer.start(20);
}

void DialogAnswer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    QFileDialog* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog && !dialog->property(kAnsweredProperty).toBool()) {
        dialog->setProperty(kAnsweredProperty, true);
        ++answered;
        answer(dialog);
        return;
    }
    strayModals.append(QString::fromLatin1(modal->metaObject()->className()) + " \"" + modal->windowTitle() +
                       "\"");
    if (QDialog* other = qobject_cast<QDialog*>(modal))
        other->reject();
    else
        modal->close();
}

void acceptFileName(QFileDialog* dialog, const QString& path)
{
    typeName(dialog, path);
    static_cast<QDialog*>(dialog)->accept();
}

void acceptDirectory(QFileDialog* dialog, const QString& path)
{
    dialog->setDirectory(path);
    typeName(dialog, QString());
    static_cast<QDialog*>(dialog)->accept();
}
