#include "ui/export/folderexport.h"

#include "ui/export/exportreport.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSet>
#include <QTemporaryFile>
#include <QWidget>

namespace {

const int kProgressAfterMs = 500;

// A file that could not be written may be that file's own trouble (a folder of its name, another
// user's file); a folder that takes no new file at all fails every other file the same way.
bool folderTakesFiles(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kaviewer-XXXXXX")));
    return probe.open() && probe.write("probe", 5) == 5 && probe.flush();
}

} // namespace

void FolderExport::run(QWidget* window, const QString& title, const QString& folder, const QStringList& names,
                       const Picture& picture, const std::function<void(int)>& written)
{
    const QDir dir(folder);
    QStringList existing;
    for (const QString& name : names)
        if (QFileInfo::exists(dir.filePath(name)))
            existing << name;
    QSet<QString> kept;
    if (!existing.isEmpty()) {
        const Existing answer = askAboutExisting(window, title, folder, existing);
        if (answer == Existing::Cancel)
            return;
        if (answer == Existing::Keep)
            kept = QSet<QString>(existing.begin(), existing.end());
    }

    ExportReport report;
    QProgressDialog progress(window);
    progress.setWindowTitle(title);
    progress.setCancelButtonText(tr("Cancel"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setAutoReset(false);
    progress.setRange(0, names.size());
    for (int i = 0; i < names.size() && window->isVisible() && !progress.wasCanceled(); ++i) {
        progress.setLabelText(tr("Saving %1 of %2").arg(i + 1).arg(names.size()));
        progress.setValue(i);
        if (kept.contains(names.at(i)))
            continue;
        if (report.save(picture(i), dir.filePath(names.at(i)))) {
            if (written)
                written(i);
        } else if (!folderTakesFiles(folder)) {
            int notTried = 0;
            for (int later = i + 1; later < names.size(); ++later)
                notTried += kept.contains(names.at(later)) ? 0 : 1;
            report.stopped(notTried);
            break;
        }
        // The window paints and answers between files; its commands wait for the run's end.
        QCoreApplication::processEvents();
    }
    progress.close();
    report.tellUser(window);
}

FolderExport::Existing FolderExport::askAboutExisting(QWidget* window, const QString& title,
                                                      const QString& folder, const QStringList& existing)
{
    const QString text = tr("%1 of these files are already in %2:")
                             .arg(existing.size())
                             .arg(QDir::toNativeSeparators(folder)) +
                         QLatin1Char('\n') + ExportReport::shortList(existing) + QLatin1Char('\n') +
                         tr("Replace them, or keep them and save only the others?");
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, window);
    // Folder names come from the user's disk and are shown as they are.
    box.setTextFormat(Qt::PlainText);
    QPushButton* replace = box.addButton(tr("Replace"), QMessageBox::AcceptRole);
    QPushButton* keep = box.addButton(tr("Keep them"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.exec();
    if (box.clickedButton() == replace)
        return Existing::Replace;
    if (box.clickedButton() == keep)
        return Existing::Keep;
    return Existing::Cancel;
}
