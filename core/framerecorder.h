#ifndef FRAMERECORDER_H
#define FRAMERECORDER_H

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QString>

// A recording of received pictures into a folder: each as a lossless PNG, frame_000001.png on,
// written whole or not at all, and frames.csv beside them with its name, its arrival in
// milliseconds since the recording began, its width, height and bytes per pixel.
class FrameRecorder
{
public:
    struct Summary
    {
        int frames = 0;
        qint64 milliseconds = 0; // from the start to the stop
        double perSecond = 0;    // between the first frame and the last
    };

    bool isRecording() const { return csv.isOpen(); }
    int frames() const { return count; }
    QString folder() const { return dir.absolutePath(); }

    // Refuses a folder that holds a recording already; `reason` says why.
    bool start(const QString& folder, QString* reason);
    // The time is taken as the picture is given.
    bool add(const QImage& received, QString* reason);
    Summary stop();

private:
    QDir dir;
    QFile csv;
    QElapsedTimer clock;
    int count = 0;
    qint64 firstMs = 0;
    qint64 lastMs = 0;
};

#endif // FRAMERECORDER_H
