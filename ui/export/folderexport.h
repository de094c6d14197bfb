#ifndef FOLDEREXPORT_H
#define FOLDEREXPORT_H

#include <QCoreApplication>
#include <QImage>
#include <QStringList>

#include <functional>

class QWidget;

// Writes one picture file per name (no two alike) into a chosen folder. Before it writes, it asks once about
// files of those names already there; a run that takes a while shows its progress and can be
// cancelled; it stops at once when the folder itself takes no files; afterwards it tells what
// could not be written.
class FolderExport
{
    Q_DECLARE_TR_FUNCTIONS(FolderExport)

public:
    // Makes the picture for the name of that position.
    using Picture = std::function<QImage(int)>;

    // Returns once done; the window's events are handled meanwhile, and the run ends early when
    // the window closes.
    // `written` hears the position of each file written.
    static void run(QWidget* window, const QString& title, const QString& folder, const QStringList& names,
                    const Picture& picture, const std::function<void(int)>& written = {});

private:
    enum class Existing
    {
        Replace,
        Keep,
        Cancel,
    };
    static Existing askAboutExisting(QWidget* window, const QString& title, const QString& folder,
                                     const QStringList& existing);
};

#endif // FOLDEREXPORT_H
