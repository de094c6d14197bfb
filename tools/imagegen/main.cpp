// Draws the program's pictures into resources/image and its Windows icon; run it again whenever a
// picture's design changes and keep the results with the sources.

#include "brandpictures.h"
#include "fontset.h"
#include "paintkit.h"
#include "statuspictures.h"
#include "windowpictures.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>
#include <QVector>

#include <cstdio>

namespace {

struct Picture
{
    QString name;
    QImage image;
};

// Written as straight (not premultiplied) ARGB so the PNG keeps its alpha channel even where a
// picture happens to be fully opaque.
bool writePicture(const QImage& image, const QString& path, const char* format, QTextStream& err)
{
    QImageWriter writer(path, format);
    if (writer.write(image.convertToFormat(QImage::Format_ARGB32)))
        return true;
    err << "kaimagegen: cannot write " << path << ": " << writer.errorString() << '\n';
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    // Nothing is shown on screen, so the generator also runs on build machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kaimagegen"));
    QTextStream err(stderr);

    // Options are refused rather than taken for a folder's name; "--" ends them, for a folder whose
    // name starts with "-".
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws the window's pictures (each at 1x and @2x) as PNG files into OUTPUT_DIR, which it\n"
        "creates, and the program's icon into ICO_PATH when given. Needs the Debian packages\n"
        "fonts-roboto-unhinted and fonts-wqy-microhei. In the checkout:\n"
        "  kaimagegen resources/image packaging/kaviewer.ico"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("OUTPUT_DIR"), QStringLiteral("Folder for the PNG files."));
    parser.addPositionalArgument(QStringLiteral("ICO_PATH"), QStringLiteral("The Windows icon to write."),
                                 QStringLiteral("[ICO_PATH]"));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || args.size() > 2) {
        err << "usage: kaimagegen [--help] OUTPUT_DIR [ICO_PATH]\n";
        return 2;
    }

    FontSet fonts;
    QString error;
    if (!fonts.load(&error)) {
        err << "kaimagegen: " << error << '\n';
        return 1;
    }

    QVector<Picture> pictures;
    // The @2x variants, which Qt picks on screens of 1.5x and more, are the same drawings at twice
    // the resolution.
    for (const int scale : {1, 2}) {
        setCanvasScale(scale);
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        const QVector<Picture> drawn{
            {"background", paintBackground()},
            {"title_ch", paintTitle(fonts, true)},
            {"title_en", paintTitle(fonts, false)},
            {"ornlogo_ch", paintMakerLogo(fonts, true)},
            {"ornlogo_en", paintMakerLogo(fonts, false)},
            {"close", paintClose(false)},
            {"closed", paintClose(true)},
            {"minimize", paintMinimize(false)},
            {"minimized", paintMinimize(true)},
            {"help", paintHelp(fonts, false)},
            {"helpd", paintHelp(fonts, true)},
            {"connected", paintConnected()},
            {"disconnected", paintDisconnected()},
            {"frame", paintFrame()},
            {"logo", paintLogo()},
            {"underline", paintUnderline()},
        };
        for (const Picture& picture : drawn)
            pictures.append({picture.name + suffix, picture.image});
    }
    setCanvasScale(1);

    const QDir outDir(args.at(0));
    if (!outDir.mkpath(QStringLiteral("."))) {
        err << "kaimagegen: cannot create " << outDir.path() << '\n';
        return 1;
    }
    for (const Picture& picture : pictures) {
        if (!writePicture(picture.image, outDir.filePath(picture.name + ".png"), "png", err))
            return 1;
    }
    if (args.size() == 2 && !writePicture(paintLogo(), args.at(1), "ico", err))
        return 1;
    return 0;
}
