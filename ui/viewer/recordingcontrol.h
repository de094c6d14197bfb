#ifndef RECORDINGCONTROL_H
#define RECORDINGCONTROL_H

#include "core/framerecorder.h"

#include <QObject>

class LinkSession;
class QLabel;
class QPushButton;
class QWidget;

// Record and Stop: every complete current picture into a chosen folder, as the recorder writes
// them, and what the recording came to once it stops.
class RecordingControl : public QObject
{
    Q_OBJECT

public:
    RecordingControl(QPushButton* button, QLabel* status, const LinkSession* session, QWidget* window);

    bool isRecording() const { return recorder.isRecording(); }
    void retranslate();

public slots:
    void slotToggle();
    void slotStop();

private:
    void pictureArrived(const QImage& picture);

    QPushButton* buttonRecord;
    QLabel* labelStatus;
    QWidget* window;
    FrameRecorder recorder;
};

#endif // RECORDINGCONTROL_H
