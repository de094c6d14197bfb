// A yardstick for bench_window's time per picture: each of 10,000 new 360x240x3 pictures and its
// thumbnail, kept as the window keeps them, on one thread with no window, no device link and no
// event loop. Whatever grows here as the process grows comes from the machine (memory, page
// faults), not from the list. Run: bash bench/run.sh thumbnails
#include "benchapp.h"
#include "guiwatch.h"
#include "simimage.h"
#include "ui/list/thumbnail.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QTextStream>
#include <QVector>

#include <QCommandLineParser>
#include <cstring>

int main(int argc, char** argv)
{
    defaultToOffscreen();
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("10,000 pictures and their thumbnails with no window: ms per picture "
                                     "and the kernel's part, every 1,000 pictures.");
    parser.addHelpOption();
    parser.process(app);
    const int count = 10000;
    const int every = 1000;
    const QImage pattern = SimImage::pattern(1, 360, 240, 3).toQImage();
    QVector<QImage> pictures;
    QVector<QPixmap> thumbnails;
    pictures.reserve(count);
    thumbnails.reserve(count);
    QTextStream out(stdout);
    out << "pictures  ms per picture  of it in the kernel\n";
    GuiWatch::CpuTime before = GuiWatch::threadCpu();
    for (int i = 1; i <= count; ++i) {
        // A new picture in fresh memory, as each one that arrives.
        QImage picture(pattern.size(), pattern.format());
        std::memcpy(picture.bits(), pattern.constBits(), size_t(pattern.sizeInBytes()));
        picture.scanLine(0)[0] = uchar(i);
        thumbnails.append(rowThumbnail(picture, 1.0));
        pictures.append(picture);
        if (i % every == 0) {
            const GuiWatch::CpuTime now = GuiWatch::threadCpu();
            out << QString("%1  %2  %3\n")
                       .arg(i, 8)
                       .arg((now.ms - before.ms) / every, 14, 'f', 3)
                       .arg((now.systemMs - before.systemMs) / every, 19, 'f', 3);
            out.flush();
            before = now;
        }
    }
    return 0;
}
