#ifndef EXPORTCOMMANDS_H
#define EXPORTCOMMANDS_H

#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <functional>

class PictureStore;
class PreviewArea;
class QWidget;

// Export, Export All, Save original and Save all originals. Each takes what it writes when the
// user gives the command, asks where, writes it and tells what failed; while a folder is being
// written the commands do nothing.
class ExportCommands
{
    Q_DECLARE_TR_FUNCTIONS(ExportCommands)

public:
    ExportCommands(QWidget* window, PictureStore* store, PreviewArea* preview);

    bool isRunning() const { return running; }

    // The preview area as shown, as JPEG.
    void exportPreview();
    // The picture on show at its own size, as PNG.
    void saveOriginal(const QImage& picture);
    // Every picture given, into a folder: renderings of the preview, or the originals.
    void exportAll(const QList<QImage>& images, const QList<int>& indexes);
    void saveAllOriginals(const QList<QImage>& images, const QList<int>& indexes);

private:
    // Marks each picture written, as long as the store still holds it.
    std::function<void(int)> markSaved(const QList<QImage>& images) const;

    QWidget* window;
    PictureStore* store;
    PreviewArea* preview;
    bool running = false;
};

#endif // EXPORTCOMMANDS_H
