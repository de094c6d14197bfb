// End-to-end benchmark: the real window and its device worker against the simulator over a
// pseudo-terminal, as a user would run them. Prints one line per figure and writes the figures
// per hundred pictures for the plot (bench/plot.gp). Run from a Release build: bash bench/run.sh window
#include "app/highdpi.h"
#include "benchapp.h"
#include "devicesimulator.h"
#include "eventwait.h"
#include "firstrows.h"
#include "processmemory.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/dialoganswer.h"
#include "ui/autosave/autosavesetting.h"
#include "ui/window/fontfamilies.h"
#include "windowrig.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace {

const int kTimeoutMs = 600000;
const int kBucket = 100;
const int kClickEveryMs = 200;
const int kSpacingMs = 25;
const int kMany = 10000;

QTextStream out(stdout);

// With `patterns` fewer than `count`, pictures repeat those patterns under their own numbers and
// share the simulator's pixel memory: 10,000 different ones would hold 2.6 GB on that side alone.
QList<SimImage> pictures(int count, int width, int height, int bpp, int patterns = 0)
{
    QList<SimImage> list;
    for (int i = 0; i < count; ++i) {
        if (patterns > 0 && i >= patterns) {
            list.append(list.at(i % patterns));
            list.last().index = i + 1;
        } else {
            list.append(SimImage::pattern(i + 1, width, height, bpp));
        }
    }
    return list;
}

qint64 wireBytes(const QList<SimImage>& list)
{
    qint64 bytes = 0;
    for (const SimImage& image : list)
        bytes += ProtocolFrames::storedImageFrame(image).size();
    return bytes;
}

qint64 pixelBytes(const QList<SimImage>& list)
{
    qint64 bytes = 0;
    for (const SimImage& image : list)
        bytes += image.pixels.size();
    return bytes;
}

// Posts a click on the first row now and then, as a user clicking during a transfer would; the
// answer is the list's clicked signal. Posted, the click waits behind whatever the window has queued.
class ClickProbe : public QObject
{
public:
    explicit ClickProbe(QListWidget* list) : list(list)
    {
        clock.start();
        connect(list, &QListWidget::clicked, this, [this] {
            if (postedNs < 0)
                return;
            worstMs = qMax(worstMs, (clock.nsecsElapsed() - postedNs) / 1e6);
            ++answered;
            postedNs = -1;
        });
        timer.setInterval(kClickEveryMs);
        connect(&timer, &QTimer::timeout, this, &ClickProbe::post);
        timer.start();
    }

    double worstMs = 0;
    int answered = 0;
    int posted = 0;

private:
    void post()
    {
        if (postedNs >= 0 || list->count() == 0)
            return;
        const QPointF at = list->visualItemRect(list->item(0)).center();
        postedNs = clock.nsecsElapsed();
        ++posted;
        QWidget* viewport = list->viewport();
        QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonPress, at, Qt::LeftButton,
                                                              Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonRelease, at, Qt::LeftButton,
                                                              Qt::NoButton, Qt::NoModifier));
    }

    QListWidget* list;
    QTimer timer;
    QElapsedTimer clock;
    qint64 postedNs = -1;
};

struct Transfer
{
    bool ok = false;
    double seconds = 0;
    GuiWatch::Gap longestGap;
    GuiWatch::Gap busiestGap;
    GuiWatch::Gap idleGap;
    double memoryPerPixelByte = 0;
    qint64 memoryGrowth = 0;
    QVector<GuiWatch::CpuTime> rowCpu;
    GuiWatch::CpuTime requestCpu;
    double clickWorstMs = -1;
    int clicks = 0;
};

enum class Sending
{
    BackToBack, // the stored pictures, at full speed
    Paced,      // the stored pictures, at the line rate
    OneAtATime, // each picture on its own, kSpacingMs after the one before, at full speed
};

// Sends the pictures one by one from the simulator's thread, each kSpacingMs after the last.
class SpacedSender
{
public:
    SpacedSender(SimThread& sim, const QList<SimImage>& list) : sim(sim)
    {
        sim.call([this, &list](DeviceSimulator& device) {
            timer = new QTimer;
            timer->setTimerType(Qt::PreciseTimer);
            timer->setInterval(kSpacingMs);
            QObject::connect(timer, &QTimer::timeout, [this, &list, &device] {
                device.sendRaw(ProtocolFrames::storedImageFrame(list.at(sent)));
                if (++sent == list.size())
                    timer->stop();
            });
            timer->start();
        });
    }
    ~SpacedSender()
    {
        sim.call([this](DeviceSimulator&) { delete timer; });
    }
    SpacedSender(const SpacedSender&) = delete;
    SpacedSender& operator=(const SpacedSender&) = delete;

private:
    SimThread& sim;
    QTimer* timer = nullptr;
    int sent = 0;
};

// GUI-thread time per picture over rows first to last (from 0), and the kernel's part of it.
GuiWatch::CpuTime perPicture(const QVector<GuiWatch::CpuTime>& rowCpu, const GuiWatch::CpuTime& requestCpu,
                             int first, int last)
{
    const GuiWatch::CpuTime start = first == 0 ? requestCpu : rowCpu.at(first - 1);
    const GuiWatch::CpuTime end = rowCpu.at(last);
    const int count = last - first + 1;
    return {(end.ms - start.ms) / count, (end.systemMs - start.systemMs) / count};
}

// One fresh window receives the pictures; with a data file, writes per hundred pictures the GUI
// time per picture and the resident memory.
Transfer transfer(const QList<SimImage>& list, Sending sending, bool probeClicks,
                  const QString& dataFile = {})
{
    Transfer result;
    WindowRig rig;
    if (!rig.ready())
        return result;
    const bool stored = sending != Sending::OneAtATime;
    rig.sim.call([&list, sending, stored](DeviceSimulator& sim) {
        sim.setStoredImages(stored ? list : QList<SimImage>());
        sim.setPaced(sending == Sending::Paced);
    });
    // What earlier rigs left for deletion goes first, or it would count against this one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const qint64 before = trimmedResidentBytes();
    std::unique_ptr<QFile> data;
    QTextStream dataOut;
    if (!dataFile.isEmpty()) {
        data.reset(new QFile(dataFile));
        if (data->open(QIODevice::WriteOnly | QIODevice::Truncate))
            dataOut.setDevice(data.get());
        dataOut << "# pictures  gui_ms_per_picture  resident_growth_mib  gui_kernel_ms_per_picture\n";
        QObject::connect(rig.list()->model(), &QAbstractItemModel::rowsInserted,
                         [&rig, &dataOut, before](auto&&...) {
                             const int rows = rig.rowCpu.size();
                             if (rows % kBucket != 0)
                                 return;
                             const GuiWatch::CpuTime cpu =
                                 perPicture(rig.rowCpu, rig.requestCpu, rows - kBucket, rows - 1);
                             dataOut << rows << ' ' << cpu.ms << ' ' << (residentBytes() - before) / 1048576.0
                                     << ' ' << cpu.systemMs << '\n';
                         });
    }
    std::unique_ptr<ClickProbe> probe;
    if (!rig.connect(30000))
        return result;
    if (probeClicks)
        probe.reset(new ClickProbe(rig.list()));
    std::unique_ptr<SpacedSender> sender;
    if (!stored) {
        // The window asks for the stored pictures, of which there are none, and then takes each
        // picture as it comes; the figures start with the first.
        if (!runUntil([&rig] { return rig.requestNs > 0; }, kTimeoutMs))
            return result;
        runUntil([] { return false; }, 300);
        rig.markRequest();
        sender.reset(new SpacedSender(rig.sim, list));
    }
    if (!rig.waitRows(list.size(), kTimeoutMs))
        return result;
    // The last batch still has to be painted.
    runUntil([] { return false; }, 300);
    result.ok = rig.list()->count() == list.size();
    result.seconds = (rig.lastRowNs - rig.requestNs) / 1e9;
    result.longestGap = rig.watch.longestGap();
    result.busiestGap = rig.watch.busiestGap();
    result.idleGap = rig.idleWatch.longestGap();
    result.memoryGrowth = trimmedResidentBytes() - before;
    result.memoryPerPixelByte = double(result.memoryGrowth) / pixelBytes(list);
    result.rowCpu = rig.rowCpu;
    result.requestCpu = rig.requestCpu;
    if (probe) {
        result.clickWorstMs = probe->worstMs;
        result.clicks = probe->answered;
        result.ok = result.ok && probe->answered == probe->posted;
    }
    return result;
}

GuiWatch::CpuTime perPicture(const Transfer& t, int first, int last)
{
    return perPicture(t.rowCpu, t.requestCpu, first, last);
}

void report(const char* what, double value, const char* unit, const QString& goal)
{
    out << QString("%1 %2 %3").arg(what, -58).arg(value, 10, 'f', 2).arg(unit, -6) << "  goal: " << goal
        << '\n';
    out.flush();
}

// Where a stall went: the thread's own work, waiting for a core, or asleep while the machine was
// late to wake it.
void reportSplit(const QString& what, const GuiWatch::Gap& gap)
{
    out << what << ": " << QString::number(gap.cpuMs, 'f', 1) << " ms working, "
        << QString::number(gap.waitMs, 'f', 1) << " ms waiting for a core, "
        << QString::number(gap.asleepMs(), 'f', 1) << " ms asleep\n";
    out.flush();
}

// Three valid pictures one pixel wide, sent after a connection that found nothing stored, so the
// memory they take is theirs alone.
bool thinPictures()
{
    WindowRig rig;
    if (!rig.ready() || !rig.connect(30000))
        return false;
    // Three small rows first: caches the first rows fill once (glyphs, styles) are not the pictures'.
    rig.sim.call([](DeviceSimulator& sim) {
        for (int index : {101, 102, 103})
            sim.sendRaw(ProtocolFrames::storedImageFrame(SimImage::pattern(index, 8, 8, 1)));
    });
    if (!rig.waitRows(3, kTimeoutMs))
        return false;
    runUntil([] { return false; }, 300);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<SimImage> thin;
    for (int height : {4000, 20000, 44000})
        thin.append(SimImage::pattern(thin.size() + 1, 1, height, 1));
    const qint64 before = trimmedResidentBytes();
    rig.resetWatches();
    rig.sim.call([&thin](DeviceSimulator& sim) {
        for (const SimImage& image : thin)
            sim.sendRaw(ProtocolFrames::storedImageFrame(image));
    });
    if (!rig.waitRows(3 + thin.size(), kTimeoutMs))
        return false;
    runUntil([] { return false; }, 300);
    const qint64 growth = trimmedResidentBytes() - before;
    report("1x4000, 1x20000, 1x44000 (68 KB of pixels): memory growth", growth / 1024.0, "KiB",
           "a few times the pixel bytes");
    report("1x4000, 1x20000, 1x44000: memory over pixel bytes", double(growth) / pixelBytes(thin), "times",
           "a few times");
    report("1x4000, 1x20000, 1x44000: longest GUI stall", rig.watch.longestGapMs(), "ms", "under 50 ms");
    return true;
}

// Export All of every row into a fresh directory, with the window's longest pause while it writes.
bool exportAll(int count)
{
    WindowRig rig;
    rig.sim.call([count](DeviceSimulator& sim) { sim.setStoredImages(pictures(count, 360, 240, 3)); });
    if (!rig.ready() || !rig.connect(30000) || !rig.waitRows(count, kTimeoutMs))
        return false;
    QTemporaryDir dir;
    // The first JPEG of a session loads the writer plug-in; that is timed on its own.
    QElapsedTimer pluginClock;
    pluginClock.start();
    QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("warm.jpg"));
    QFile::remove(dir.filePath("warm.jpg"));
    report("first JPEG of the session (loads the writer plug-in)", pluginClock.nsecsElapsed() / 1e6, "ms",
           "-");
    // The dialog's own start-up is not the export's: the watch starts when the dialog closes, and
    // the files are written when the click returns.
    struct DialogClosed : QObject
    {
        WindowRig* rig;
        QElapsedTimer* clock;
        bool eventFilter(QObject* object, QEvent* event) override
        {
            if (event->type() == QEvent::Hide && qobject_cast<QFileDialog*>(object)) {
                rig->resetWatches();
                clock->start();
            }
            return false;
        }
    } closed;
    QElapsedTimer clock;
    closed.rig = &rig;
    closed.clock = &clock;
    qApp->installEventFilter(&closed);
    {
        DialogAnswer answer(dir.path());
        rig.window.findChild<QPushButton*>("buttonExportAll")->click();
    }
    qApp->removeEventFilter(&closed);
    const qint64 writingMs = clock.elapsed();
    const int files = QDir(dir.path()).entryList({"Image_*.jpg"}, QDir::Files).size();
    report("Export All, longest GUI stall while writing", rig.watch.longestGapMs(), "ms", "under 50 ms");
    report("Export All, time per file", double(writingMs) / count, "ms", "-");
    return files == count;
}

} // namespace

int main(int argc, char** argv)
{
    defaultToOffscreen();
    enableHighDpiScaling();
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("End-to-end benchmark of kaviewer against the device simulator");
    parser.addHelpOption();
    const QCommandLineOption dataOption("data", "Directory for the per-hundred figures.", "dir", ".");
    const QCommandLineOption quickOption("quick", "Skip the paced transfer (about 30 s).");
    parser.addOption(dataOption);
    const QCommandLineOption manyOption("many-only", "Only the 10,000-picture transfers (about 6 min).");
    const QCommandLineOption autoSaveOption("autosave", "Every window saves each picture as it arrives.");
    parser.addOption(quickOption);
    parser.addOption(manyOption);
    parser.addOption(autoSaveOption);
    parser.process(app);
    const QString dataDir = QDir(parser.value(dataOption)).absolutePath();
    printWarningsOnly();
    // The settings file stays out of the checkout.
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    if (parser.isSet(autoSaveOption))
        AutoSaveSetting::store(workDir.filePath("saved"));
    loadFontFamilies();

    bool ok = true;
    const double lineRate = DeviceSimulator::lineRate;
    const bool all = !parser.isSet(manyOption);
    ok = !all || (thinPictures() && ok);
    for (int count : {50, 1000}) {
        if (!all)
            break;
        const QList<SimImage> list = pictures(count, 360, 240, 3);
        const Transfer t = transfer(list, Sending::BackToBack, false,
                                    count == 1000 ? dataDir + "/bench-window-1000.dat" : QString());
        ok = ok && t.ok;
        if (!t.ok) {
            out << "transfer of " << count << " pictures failed\n";
            continue;
        }
        const double rate = wireBytes(list) / t.seconds;
        const QString n = QString::number(count);
        report(qPrintable(n + " pictures 360x240x3, throughput"), rate / 1e6, "MB/s", "-");
        report(qPrintable(n + " pictures, throughput over the line rate"), rate / lineRate, "times",
               "at least 500");
        report(qPrintable(n + " pictures, longest GUI stall"), t.longestGap.wallMs, "ms", "under 50 ms");
        report(qPrintable(n + " pictures, memory over pixel bytes"), t.memoryPerPixelByte, "times",
               "at most 3");
        if (count == 1000) {
            const double first = perPicture(t, 0, 99).ms, last = perPicture(t, 900, 999).ms;
            report("GUI time per picture, pictures 1-100", first, "ms", "-");
            report("GUI time per picture, pictures 901-1000", last, "ms", "-");
            report("GUI time per picture, 901-1000 over 1-100", last / first, "times", "at most 1.3");
        }
    }

    if (all) {
        const Transfer t = transfer(pictures(2000, 360, 240, 3), Sending::BackToBack, true,
                                    dataDir + "/bench-window-2000.dat");
        ok = ok && t.ok && t.clicks > 0;
        report("2000 pictures, worst answer to a click during the transfer", t.clickWorstMs, "ms",
               "within 100 ms");
        report("2000 pictures, clicks answered", t.clicks, "", "-");
        report("2000 pictures, longest GUI stall", t.longestGap.wallMs, "ms", "under 50 ms");
    }

    ok = !all || (exportAll(1000) && ok);

    // Ten thousand, each picture its own batch and back to back: the GUI time per picture must not
    // grow with the list.
    const QList<SimImage> many = pictures(kMany, 360, 240, 3, 100);
    for (const Sending sending : {Sending::OneAtATime, Sending::BackToBack}) {
        const bool single = sending == Sending::OneAtATime;
        const QString mode = single ? "one at a time" : "back to back";
        const Transfer t =
            transfer(many, sending, false,
                     dataDir + (single ? "/bench-window-10000-single.dat" : "/bench-window-10000.dat"));
        ok = ok && t.ok;
        if (!t.ok) {
            out << kMany << " pictures " << mode << " failed\n";
            continue;
        }
        const QString n = QString::number(kMany) + " pictures " + mode + ", ";
        const GuiWatch::CpuTime first = perPicture(t, 0, 99), last = perPicture(t, kMany - 100, kMany - 1);
        report(qPrintable(n + "GUI time per picture, 1-100"), first.ms, "ms", "-");
        report(qPrintable(n + "GUI time per picture, last 100"), last.ms, "ms", "-");
        report(qPrintable(n + "last 100 over 1-100"), last.ms / first.ms, "times", "at most 1.3");
        // The kernel's part (page faults, wake-ups, context switches) depends on the machine more than
        // on the window; the rest is the window's own code, over thousands to even out the noise.
        const GuiWatch::CpuTime firstK = perPicture(t, 0, 999),
                                lastK = perPicture(t, kMany - 1000, kMany - 1);
        report(qPrintable(n + "GUI time per picture in the kernel, 1-1000"), firstK.systemMs, "ms", "-");
        report(qPrintable(n + "GUI time per picture in the kernel, last 1000"), lastK.systemMs, "ms", "-");
        report(qPrintable(n + "outside the kernel, last 1000 over 1-1000"),
               (lastK.ms - lastK.systemMs) / (firstK.ms - firstK.systemMs), "times", "-");
        report(qPrintable(n + "longest GUI stall"), t.longestGap.wallMs, "ms", "under 16 ms");
        reportSplit(n + "longest GUI stall", t.longestGap);
        report(qPrintable(n + "most the window worked between two ticks"), t.busiestGap.cpuMs, "ms",
               "under 16 ms");
        report(qPrintable(n + "an idle thread's longest stall"), t.idleGap.wallMs, "ms", "-");
        reportSplit(n + "an idle thread's longest stall", t.idleGap);
        report(qPrintable(n + "memory over pixel bytes"), t.memoryPerPixelByte, "times", "at most 1.2");
        if (!single)
            report(qPrintable(n + "throughput"), wireBytes(many) / t.seconds / 1e6, "MB/s", "-");
    }

    if (all && !parser.isSet(quickOption)) {
        const QList<SimImage> list = pictures(5, 360, 240, 3);
        const Transfer t = transfer(list, Sending::Paced, false);
        ok = ok && t.ok;
        report("paced at the line rate, 5 pictures: time over wire time",
               t.seconds / (wireBytes(list) / lineRate), "times", "at most 1.02");
        const FirstRows rows = measureFirstRows(3);
        ok = ok && rows.ok;
        report("paced, 3 pictures: first rows shown after the header, worst", rows.worstFirstMs, "ms",
               "within 250 ms");
        report("paced, 3 pictures: first rows shown after the header, mean", rows.meanFirstMs, "ms", "-");
        report("paced, 3 pictures: partial views per second", rows.viewsPerSecond, "", "at least 4");
        report("paced, 3 pictures: longest GUI stall", rows.longestGapMs, "ms", "under 50 ms");
    }
    out << (ok ? "all transfers complete\n" : "SOME TRANSFERS FAILED\n");
    return ok ? 0 : 1;
}
