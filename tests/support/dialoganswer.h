#ifndef DIALOGANSWER_H
#define DIALOGANSWER_H

#include <QStringList>
#include <QTimer>

#include <functional>

class QFileDialog;

// Answers file dialogs that a slot runs modally, from inside the dialog's own event loop: every
// new modal QFileDialog is handed once to the answer, which must accept or reject it. Any other
// modal widget, or an answered dialog that stays open, is noted as stray and rejected, so a wrong
// answer fails the test instead of hanging it.
class DialogAnswer
{
public:
    using Answer = std::function<void(QFileDialog*)>;

    explicit DialogAnswer(Answer answer);
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    int dialogs() const { return answered; }
    QStringList strays() const { return strayModals; }

private:
    void poll();

    Answer answer;
    QTimer timer;
    int answered = 0;
    QStringList strayModals;
};

// Answers as a user would: types the full path into the name field, or goes into the directory,
// then accepts. Selecting through the dialog's API does not reach a name field that has focus.
void acceptFileName(QFileDialog* dialog, const QString& path);
void acceptDirectory(QFileDialog* dialog, const QString& path);

#endif // DIALOGANSWER_H
