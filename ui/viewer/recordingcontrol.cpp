#include "ui/viewer/recordingcontrol.h"

#include "ui/export/filechooser.h"
#include "ui/session/linksession.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>

RecordingControl::RecordingControl(QPushButton* button, QLabel* status, const LinkSession* session,
                                   QWidget* window)
    : QObject(window), buttonRecord(button), labelStatus(status), window(window)
{
    connect(buttonRecord, &QPushButton::clicked, this, &RecordingControl::slotToggle);
    connect(session, &LinkSession::signalCurrentImage, this, &RecordingControl::pictureArrived);
    retranslate();
}

void RecordingControl::slotToggle()
{
    if (recorder.isRecording())
        return slotStop();
    const QString folder = FileChooser::folder(window, tr("Record the current pictures into"));
    if (folder.isEmpty())
        return;
    QString reason;
    if (recorder.start(folder, &reason))
        labelStatus->setText(tr("Recording into %1").arg(folder));
    else
        labelStatus->setText(tr("Not recording: %1").arg(reason));
    retranslate();
}

void RecordingControl::slotStop()
{
    if (!recorder.isRecording())
        return;
    const QString folder = recorder.folder();
    const FrameRecorder::Summary summary = recorder.stop();
    labelStatus->setText(tr("Recording stopped: %1 frames in %2 s, %3 per second, in %4")
                             .arg(summary.frames)
                             .arg(QLocale().toString(summary.milliseconds / 1000.0, 'f', 1))
                             .arg(QLocale().toString(summary.perSecond, 'f', 1))
                             .arg(folder));
    retranslate();
}

void RecordingControl::pictureArrived(const QImage& picture)
{
    if (!recorder.isRecording())
        return;
    QString reason;
    if (recorder.add(picture, &reason)) {
        labelStatus->setText(tr("Recording: %1 frames").arg(recorder.frames()));
        return;
    }
    // One lost frame would leave a gap no one sees: the recording ends and says why.
    const int frames = recorder.frames();
    recorder.stop();
    labelStatus->setText(tr("Recording stopped after %1 frames: %2").arg(frames).arg(reason));
    retranslate();
}

void RecordingControl::retranslate()
{
    buttonRecord->setText(recorder.isRecording() ? tr("Stop recording") : tr("Record…"));
    buttonRecord->setAccessibleDescription(
        tr("Writes every complete current picture as a PNG file with frames.csv into a folder (R)"));
}
