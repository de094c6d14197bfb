#include "core/framerecorder.h"

#include "core/imagefile.h"
#include "core/originalpicture.h"
#include "core/rawpixel.h"

namespace {
const char* const kCsvName = "frames.csv";
}

bool FrameRecorder::start(const QString& folder, QString* reason)
{
    stop();
    dir = QDir(folder);
    csv.setFileName(dir.filePath(kCsvName));
    if (csv.exists()) {
        *reason = QStringLiteral("%1 exists already").arg(csv.fileName());
        return false;
    }
    if (!csv.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::NewOnly)) {
        *reason = csv.errorString();
        return false;
    }
    csv.write("file,time_ms,width,height,bytes_per_pixel\n");
    csv.flush();
    count = 0;
    firstMs = lastMs = 0;
    clock.start();
    return true;
}

bool FrameRecorder::add(const QImage& received, QString* reason)
{
    if (!isRecording())
        return false;
    const qint64 ms = clock.elapsed();
    const QString name = QStringLiteral("frame_%1.png").arg(count + 1, 6, 10, QLatin1Char('0'));
    if (!writeImageFile(originalPicture(received), dir.filePath(name), reason))
        return false;
    if (!count)
        firstMs = ms;
    lastMs = ms;
    ++count;
    // A line at a time, so a recording cut short still says what it holds.
    csv.write(QStringLiteral("%1,%2,%3,%4,%5\n")
                  .arg(name)
                  .arg(ms)
                  .arg(received.width())
                  .arg(received.height())
                  .arg(bytesPerPixel(rawFormat(received)))
                  .toLatin1());
    csv.flush();
    return true;
}

FrameRecorder::Summary FrameRecorder::stop()
{
    Summary summary;
    if (!isRecording())
        return summary;
    summary.frames = count;
    summary.milliseconds = clock.elapsed();
    if (count > 1 && lastMs > firstMs)
        summary.perSecond = (count - 1) * 1000.0 / double(lastMs - firstMs);
    csv.close();
    return summary;
}
