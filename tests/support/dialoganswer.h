#ifndef DIALOGANSWER_H
#define DIALOGANSWER_H

#include <QStringList>
#include <QTimer>

class QFileDialog;

// Answers the file dialogs that a slot runs modally, from inside their own event loop, as a user
// would: a directory picker goes into the path, any other dialog gets the path typed into its name
// field; an empty path cancels. Any other modal widget, or an answered dialog that stays open, is
// noted as stray (a message box with its text) and rejected, so a wrong answer fails the test instead of
// hanging it.
class DialogAnswer
{
public:
    explicit DialogAnswer(const QString& path);
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    int dialogs() const { return answered; }
    QStringList strays() const { return strayModals; }

private:
    void poll();
    void answer(QFileDialog* dialog) const;

    QString path;
    QTimer timer;
    int answered = 0;
    QStringList strayModals;
};

#endif // DIALOGANSWER_H
