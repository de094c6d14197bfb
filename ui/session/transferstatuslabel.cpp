#include "ui/session/transferstatuslabel.h"

#include "ui/settings/languagesetting.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/pixelfont.h"

#include <QEvent>
#include <QTextDocument>

namespace {
const int kRefusalMs = 3000;
} // namespace

TransferStatusLabel::TransferStatusLabel(QWidget* parent) : QLabel(parent)
{
    // Paths and numbers only; a folder named like markup must show as it is.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setStyleSheet("color:rgb(128,128,128);");
    timerRefusal.setSingleShot(true);
    timerRefusal.setInterval(kRefusalMs);
    connect(&timerRefusal, &QTimer::timeout, this, &TransferStatusLabel::render);
    timerSavingNotice.setSingleShot(true);
    timerSavingNotice.setInterval(kRefusalMs);
    connect(&timerSavingNotice, &QTimer::timeout, this, &TransferStatusLabel::render);
}

void TransferStatusLabel::beginTransfer()
{
    state = State::Idle;
    pictures = 0;
    dropped = 0;
    render();
}

void TransferStatusLabel::showProgress(int index, qint64 received, qint64 expected)
{
    state = State::Receiving;
    pictureIndex = index;
    bytesReceived = received;
    bytesExpected = expected;
    render();
}

void TransferStatusLabel::pictureArrived()
{
    state = State::Arrived;
    ++pictures;
    render();
}

void TransferStatusLabel::pictureDropped(int index, qint64 received, qint64 expected)
{
    state = State::Dropped;
    pictureIndex = index;
    bytesReceived = received;
    bytesExpected = expected;
    ++dropped;
    // Its text stays until something new arrives.
    render();
}

void TransferStatusLabel::showState(State next)
{
    state = next;
    timerRefusal.stop();
    render();
}

void TransferStatusLabel::currentRefused(Refusal why)
{
    refusal = why;
    timerRefusal.start();
    render();
}

void TransferStatusLabel::currentRequested()
{
    showState(State::CurrentRequested);
}

void TransferStatusLabel::currentArrived()
{
    showState(State::CurrentArrived);
}

void TransferStatusLabel::currentMissing()
{
    showState(State::CurrentMissing);
}

void TransferStatusLabel::currentDropped(qint64 received, qint64 expected)
{
    bytesReceived = received;
    bytesExpected = expected;
    showState(State::CurrentDropped);
}

void TransferStatusLabel::liveView(double picturesPerSecond)
{
    liveRate = picturesPerSecond;
    showState(State::LiveView);
}

void TransferStatusLabel::liveViewStopped()
{
    showState(State::LiveViewStopped);
}

void TransferStatusLabel::languageNotSaved(const QString& settingsPath)
{
    if (!unsavedSettingsPath.isEmpty())
        return;
    unsavedSettingsPath = settingsPath;
    state = State::LanguageNotSaved;
    render();
}

void TransferStatusLabel::showSaving(const AutoSaveTally& tally, bool newFailure)
{
    saving = tally;
    if (newFailure)
        timerSavingNotice.start();
    render();
}

void TransferStatusLabel::transferFinished()
{
    if (state != State::Receiving && state != State::Arrived)
        return;
    state = State::Finished;
    render();
}

void TransferStatusLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QLabel::changeEvent(event);
}

void TransferStatusLabel::retranslate()
{
    // The settings file is read here, at a language refresh, not at every step of a transfer.
    setFont(pixelFont(LanguageSetting::isChinese() ? fontFamilyCh : fontFamilyEn, 14));
    render();
}

void TransferStatusLabel::render()
{
    QString shown = shownText();
    QString whole = shown;
    if (showsSaving()) {
        whole = joined(shown, savingText(saving.folder));
        // A long folder gives way in the middle, as much as the line needs; the tip has it whole.
        const int room = width() - fontMetrics().horizontalAdvance(joined(shown, savingText(QString())));
        shown = joined(shown, savingText(fontMetrics().elidedText(saving.folder, Qt::ElideMiddle, room)));
        setToolTip(shown == whole ? QString() : Qt::convertFromPlainText(whole));
    }
    // The bytes renew the text many times a second; a screen reader hears each picture begin, not
    // each step of its bytes. Named first, the label does not announce its new text itself.
    const QString name =
        state == State::Receiving && !timerRefusal.isActive() && !showsSaving()
            ? tr("Receiving picture %1, pictures received: %2").arg(pictureIndex).arg(pictures)
            : whole;
    if (name != accessibleName())
        setAccessibleName(name);
    setText(shown);
}

bool TransferStatusLabel::showsSaving() const
{
    if (saving.folder.isEmpty() || timerRefusal.isActive())
        return false;
    if (timerSavingNotice.isActive() && !saving.failure.isEmpty())
        return true;
    return state == State::Idle || state == State::Arrived || state == State::Finished ||
           state == State::Dropped;
}

QString TransferStatusLabel::joined(const QString& text, const QString& saving) const
{
    // During the notice the failure stands alone.
    if (text.isEmpty() || (timerSavingNotice.isActive() && !this->saving.failure.isEmpty()))
        return saving;
    return tr("%1. %2").arg(text, saving);
}

QString TransferStatusLabel::savingText(const QString& folder) const
{
    const QString written = QString::number(saving.written);
    const QString there = QString::number(saving.alreadyThere);
    if (!saving.failure.isEmpty())
        return tr("Saving to %1 failed: %2 (%3 new, %4 already there, %5 not saved)")
            .arg(folder, saving.failure, written, there, QString::number(saving.failed));
    if (saving.written + saving.alreadyThere + saving.failed == 0)
        return tr("Saving each picture to %1").arg(folder);
    if (saving.failed == 0)
        return tr("Saved to %1: %2 new, %3 already there").arg(folder, written, there);
    return tr("Saved to %1: %2 new, %3 already there, %4 not saved")
        .arg(folder, written, there, QString::number(saving.failed));
}

QString TransferStatusLabel::shownText()
{
    if (timerRefusal.isActive()) {
        return refusal == Refusal::NotConnected ? tr("Connect first to ask for the current picture")
               : refusal == Refusal::StoredArriving
                   ? tr("Stored pictures are arriving; ask for the current picture once they are in")
                   : tr("The current picture is already on its way");
    }
    const int percent = bytesExpected > 0 ? int(bytesReceived * 100 / bytesExpected) : 0;
    setToolTip(QString());
    switch (state) {
    case State::Idle:
        break;
    case State::Receiving:
        return tr("Receiving picture %1: %L2 of %L3 bytes (%4%), pictures received: %5")
            .arg(pictureIndex)
            .arg(bytesReceived)
            .arg(bytesExpected)
            .arg(percent)
            .arg(pictures);
    case State::Arrived:
        return tr("Pictures received: %1").arg(pictures);
    case State::Finished:
        return dropped == 0 ? tr("Transfer finished, pictures received: %1").arg(pictures)
                            : tr("Transfer finished, pictures received: %1, incomplete: %2")
                                  .arg(pictures)
                                  .arg(dropped);
    case State::Dropped:
        return pictureIndex < 0
                   ? tr("A picture was incomplete and was dropped; pictures received: %1").arg(pictures)
                   : tr("Picture %1 was incomplete and was dropped (%L2 of %L3 bytes); "
                        "pictures received: %4")
                         .arg(pictureIndex)
                         .arg(bytesReceived)
                         .arg(bytesExpected)
                         .arg(pictures);
    case State::CurrentRequested:
        return tr("Asking the device for its current picture");
    case State::CurrentArrived:
        return tr("Current picture received");
    case State::CurrentMissing:
        return tr("The device sent no current picture");
    case State::CurrentDropped:
        return bytesExpected == 0
                   ? tr("The current picture was incomplete and was dropped")
                   : tr("The current picture was incomplete and was dropped (%L1 of %L2 bytes)")
                         .arg(bytesReceived)
                         .arg(bytesExpected);
    case State::LiveView:
        return liveRate < 0 ? tr("Live view: waiting for the first picture")
                            : tr("Live view: %L1 pictures per second").arg(liveRate, 0, 'f', 2);
    case State::LiveViewStopped:
        return tr("Live view stopped");
    case State::LanguageNotSaved: {
        // A long path gives way in the middle; the tip has it whole.
        const QString text =
            tr("Language not saved in %1; it holds until you quit.").arg(unsavedSettingsPath);
        setToolTip(Qt::convertFromPlainText(text));
        return fontMetrics().elidedText(text, Qt::ElideMiddle, width());
    }
    }
    return QString();
}
