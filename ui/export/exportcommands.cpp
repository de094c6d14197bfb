#include "ui/export/exportcommands.h"

#include "core/originalpicture.h"
#include "core/picturenames.h"
#include "core/picturestore.h"
#include "ui/export/exportreport.h"
#include "ui/export/filechooser.h"
#include "ui/export/folderexport.h"
#include "ui/preview/previewarea.h"

#include <QImageWriter>

namespace {

// JPEG unless the name asks for another format an image writer knows.
QStringList exportSuffixes()
{
    QStringList suffixes{QStringLiteral("jpg")};
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    return suffixes;
}

} // namespace

ExportCommands::ExportCommands(QWidget* window, PictureStore* store, PreviewArea* preview)
    : window(window), store(store), preview(preview)
{
}

std::function<void(int)> ExportCommands::markSaved(const QList<QImage>& images) const
{
    // A reconnect during the run empties the store: a row then holds another picture.
    PictureStore* pictures = store;
    return [pictures, images](int i) {
        if (i < pictures->count() && pictures->at(i).image.cacheKey() == images.at(i).cacheKey())
            pictures->markSaved(i);
    };
}

void ExportCommands::exportPreview()
{
    if (preview->image().isNull() || running)
        return;
    // Pictures go on arriving while the dialog is open: what was on show at the command is written.
    const QImage region = preview->exportRegion();
    const QString fileName = FileChooser::saveFile(window, tr("Save Image"), tr("Image File(*.jpg)"),
                                                   exportSuffixes(), preview->suggestedSaveName(".jpg"));
    if (fileName.isEmpty())
        return;
    ExportReport report;
    report.save(region, fileName);
    report.tellUser(window);
}

void ExportCommands::saveOriginal(const QImage& picture)
{
    if (picture.isNull() || running)
        return;
    const QImage original = originalPicture(picture);
    const QString fileName =
        FileChooser::saveFile(window, tr("Save Original"), tr("PNG image (*.png)"), {QStringLiteral("png")},
                              preview->suggestedSaveName(".png"));
    if (fileName.isEmpty())
        return;
    ExportReport report;
    report.save(original, fileName);
    report.tellUser(window);
}

void ExportCommands::exportAll(const QList<QImage>& images, const QList<int>& indexes)
{
    if (images.isEmpty() || running)
        return;
    const QString folder = FileChooser::folder(window, tr("Choose Directory to Save Images"));
    if (folder.isEmpty())
        return;
    // The window paints and answers between files: Export All has the preview until it is done.
    running = true;
    preview->setHeld(true);
    FolderExport::run(
        window, tr("Export All"), folder, storedPictureNames(indexes, "jpg"),
        [&](int i) {
            preview->show(images.at(i), indexes.at(i));
            return preview->exportRegion();
        },
        markSaved(images));
    preview->setHeld(false);
    running = false;
}

void ExportCommands::saveAllOriginals(const QList<QImage>& images, const QList<int>& indexes)
{
    if (images.isEmpty() || running)
        return;
    const QString folder = FileChooser::folder(window, tr("Choose Directory to Save Originals"));
    if (folder.isEmpty())
        return;
    running = true;
    FolderExport::run(
        window, tr("Save all originals"), folder, storedPictureNames(indexes, "png"),
        [&images](int i) { return originalPicture(images.at(i)); }, markSaved(images));
    running = false;
}
