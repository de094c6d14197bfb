#include "ui/transferstatuslabel.h"

#include "app/fontfamilies.h"
#include "ui/languagesetting.h"
#include "ui/pixelfont.h"

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
    connect(&timerRefusal, &QTimer::timeout, this, &TransferStatusLabel::retranslate);
}

void TransferStatusLabel::beginTransfer()
{
    state = State::Idle;
    pictures = 0;
    dropped = 0;
    retranslate();
}

void TransferStatusLabel::showProgress(int index, qint64 received, qint64 expected)
{
    state = State::Receiving;
    pictureIndex = index;
    bytesReceived = received;
    bytesExpected = expected;
    retranslate();
}

void TransferStatusLabel::pictureArrived()
{
    state = State::Arrived;
    ++pictures;
    retranslate();
}

void TransferStatusLabel::pictureDropped(int index, qint64 received, qint64 expected)
{
    state = State::Dropped;
    pictureIndex = index;
    bytesReceived = received;
    bytesExpected = expected;
    ++dropped;
    // Its text stays until something new arrives.
    retranslate();
}

void TransferStatusLabel::showState(State next)
{
    state = next;
    timerRefusal.stop();
    retranslate();
}

void TransferStatusLabel::currentRefused(Refusal why)
{
    refusal = why;
    timerRefusal.start();
    retranslate();
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
    retranslate();
}

void TransferStatusLabel::transferFinished()
{
    if (state != State::Receiving && state != State::Arrived)
        return;
    state = State::Finished;
    retranslate();
}

void TransferStatusLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QLabel::changeEvent(event);
}

void TransferStatusLabel::retranslate()
{
    setFont(pixelFont(LanguageSetting::isChinese() ? fontFamilyCh : fontFamilyEn, 14));
    if (timerRefusal.isActive()) {
        setText(refusal == Refusal::NotConnected ? tr("Connect first to ask for the current picture")
                : refusal == Refusal::StoredArriving
                    ? tr("Stored pictures are arriving; ask for the current picture once they are in")
                    : tr("The current picture is already on its way"));
        return;
    }
    const int percent = bytesExpected > 0 ? int(bytesReceived * 100 / bytesExpected) : 0;
    setToolTip(QString());
    switch (state) {
    case State::Idle:
        setText(QString());
        break;
    case State::Receiving:
        setText(tr("Receiving picture %1: %L2 of %L3 bytes (%4%), pictures received: %5")
                    .arg(pictureIndex)
                    .arg(bytesReceived)
                    .arg(bytesExpected)
                    .arg(percent)
                    .arg(pictures));
        break;
    case State::Arrived:
        setText(tr("Pictures received: %1").arg(pictures));
        break;
    case State::Finished:
        setText(
            dropped == 0
                ? tr("Transfer finished, pictures received: %1").arg(pictures)
                : tr("Transfer finished, pictures received: %1, incomplete: %2").arg(pictures).arg(dropped));
        break;
    case State::Dropped:
        setText(pictureIndex < 0
                    ? tr("A picture was incomplete and was dropped; pictures received: %1").arg(pictures)
                    : tr("Picture %1 was incomplete and was dropped (%L2 of %L3 bytes); "
                         "pictures received: %4")
                          .arg(pictureIndex)
                          .arg(bytesReceived)
                          .arg(bytesExpected)
                          .arg(pictures));
        break;
    case State::CurrentRequested:
        setText(tr("Asking the device for its current picture"));
        break;
    case State::CurrentArrived:
        setText(tr("Current picture received"));
        break;
    case State::CurrentMissing:
        setText(tr("The device sent no current picture"));
        break;
    case State::CurrentDropped:
        setText(bytesExpected == 0
                    ? tr("The current picture was incomplete and was dropped")
                    : tr("The current picture was incomplete and was dropped (%L1 of %L2 bytes)")
                          .arg(bytesReceived)
                          .arg(bytesExpected));
        break;
    case State::LiveView:
        setText(liveRate < 0 ? tr("Live view: waiting for the first picture")
                             : tr("Live view: %L1 pictures per second").arg(liveRate, 0, 'f', 2));
        break;
    case State::LiveViewStopped:
        setText(tr("Live view stopped"));
        break;
    case State::LanguageNotSaved: {
        // A long path gives way in the middle; the tip has it whole.
        const QString text =
            tr("Language not saved in %1; it holds until you quit.").arg(unsavedSettingsPath);
        setText(fontMetrics().elidedText(text, Qt::ElideMiddle, width()));
        setToolTip(Qt::convertFromPlainText(text));
        break;
    }
    }
}
