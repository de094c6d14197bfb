// What the window's thread does per picture, counted in instructions by callgrind, for the first
// and the last thousand of many pictures: figures that a busy machine does not disturb. Pictures
// go straight to the window, one per turn of the event loop (each its own batch, preview and
// paint) or several per turn. Run: bash bench/run.sh growth
#include "benchapp.h"
#include "simimage.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QListWidget>
#include <QTest>
#include <QTextStream>
#include <valgrind/callgrind.h>

namespace {
const int kCounted = 1000;
} // namespace

int main(int argc, char** argv)
{
    defaultToOffscreen();
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Instructions per picture for the first and last thousand, under callgrind");
    parser.addHelpOption();
    const QCommandLineOption countOption("pictures", "How many pictures.", "count", "10000");
    const QCommandLineOption batchOption("batch", "Pictures per turn of the event loop.", "count", "1");
    parser.addOption(countOption);
    parser.addOption(batchOption);
    parser.process(app);
    const int count = qMax(2 * kCounted, parser.value(countOption).toInt());
    const int batch = qBound(1, parser.value(batchOption).toInt(), 100);
    printWarningsOnly();
    loadFontFamilies();

    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const QListWidget* list = window.findChild<QListWidget*>("listWidget");
    QList<QImage> patterns;
    for (int i = 0; i < 50; ++i)
        patterns.append(SimImage::pattern(i + 1, 360, 240, 3).toQImage());

    QTextStream out(stdout);
    bool firstDone = false, lastStarted = false;
    for (int sent = 0; sent < count;) {
        if (sent == 0 || (!lastStarted && sent >= count - kCounted)) {
            lastStarted = sent > 0;
            CALLGRIND_START_INSTRUMENTATION;
            CALLGRIND_ZERO_STATS;
        }
        for (int i = 0; i < batch; ++i, ++sent) {
            // A picture of its own, as each arrival is.
            QImage* picture = new QImage(patterns.at(sent % patterns.size()).copy());
            window.slotDeviceGotImage(sent + 1, picture);
        }
        // Under valgrind a batch's time budget runs out sooner: the window may take several turns.
        while (list->count() < sent)
            QCoreApplication::processEvents();
        if (!firstDone && sent >= kCounted) {
            firstDone = true;
            CALLGRIND_DUMP_STATS_AT("first");
            CALLGRIND_STOP_INSTRUMENTATION;
        }
    }
    CALLGRIND_DUMP_STATS_AT("last");
    out << count << " pictures, " << batch << " per turn\n";
    return 0;
}
