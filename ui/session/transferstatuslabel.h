#ifndef TRANSFERSTATUSLABEL_H
#define TRANSFERSTATUSLABEL_H

#include "ui/autosave/autosavetally.h"

#include <QLabel>
#include <QTimer>

// One line about the transfer of stored pictures: which picture is arriving and how far it is,
// how many pictures came, and that the transfer ended or a picture was dropped. Between
// transfers it also tells, once, that the language choice could not be saved. Between pictures and
// at the end it adds where the pictures saved as they arrive went.
class TransferStatusLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TransferStatusLabel(QWidget* parent = nullptr);

    // Renders the current state again, in the current language.
    void retranslate();

    // Why a request for the device's current picture was not sent.
    enum class Refusal
    {
        NotConnected,
        StoredArriving,
        AlreadyAsked,
    };

public slots:
    void beginTransfer();
    void showProgress(int index, qint64 received, qint64 expected);
    void pictureArrived();
    void pictureDropped(int index, qint64 received, qint64 expected);
    // The transfer went quiet after pictures came.
    void transferFinished();
    void currentRefused(TransferStatusLabel::Refusal why);
    void currentRequested();
    void currentArrived();
    void currentMissing();
    void currentDropped(qint64 received, qint64 expected);
    // Live view runs: pictures per second, negative before its first picture.
    void liveView(double picturesPerSecond);
    void liveViewStopped();
    // Only the first call of the label's life shows; the line says nothing new at every click.
    void languageNotSaved(const QString& settingsPath);
    // A new failure also shows for a moment over whatever the line says.
    void showSaving(const AutoSaveTally& tally, bool newFailure);

protected:
    void changeEvent(QEvent* event) override;

private:
    enum class State
    {
        Idle,
        Receiving,
        Arrived,
        Finished,
        Dropped,
        CurrentRequested,
        CurrentArrived,
        CurrentMissing,
        CurrentDropped,
        LiveView,
        LiveViewStopped,
        LanguageNotSaved,
    };

    void showState(State next);
    // The current state in the current font.
    void render();
    // Sets the tip too.
    QString shownText();
    // What saving as pictures arrive did, naming the folder as given; empty when not to be shown.
    QString savingText(const QString& folder) const;
    bool showsSaving() const;
    QString joined(const QString& text, const QString& saving) const;

    State state = State::Idle;
    int pictureIndex = -1;
    qint64 bytesReceived = 0;
    qint64 bytesExpected = 0;
    int pictures = 0;
    int dropped = 0;
    Refusal refusal = Refusal::NotConnected;
    double liveRate = -1;
    QString unsavedSettingsPath; // empty until the language could not be saved
    // While running, the refusal shows instead of the state, which goes on underneath.
    QTimer timerRefusal;
    AutoSaveTally saving;
    // While running, a new saving failure shows instead of the state.
    QTimer timerSavingNotice;
};

#endif // TRANSFERSTATUSLABEL_H
