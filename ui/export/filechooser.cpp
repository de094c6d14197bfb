#include "ui/export/filechooser.h"

#include "ui/settings/settingsfile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
const char* const kFolderKey = "exportfolder";
}

QString FileChooser::startFolder()
{
    const QString folder = SettingsFile::value(kFolderKey);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::currentPath();
}

void FileChooser::remember(const QString& folder)
{
    // A folder that cannot be kept in the file is still kept for the session.
    SettingsFile::store(kFolderKey, QDir(folder).absolutePath());
}

QString FileChooser::saveFile(QWidget* parent, const QString& caption, const QString& filter,
                              const QStringList& suffixes, const QString& suggested)
{
    QFileDialog dialog(parent, caption, startFolder(), filter);
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffixes.first());
#ifndef Q_OS_WIN
    // Desktop dialogs on Linux confirm the name without the suffix, which Qt appends afterwards;
    // Windows' own dialog adds it before its question.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString fileName = dialog.selectedFiles().first();
    remember(QFileInfo(fileName).absolutePath());
    if (suffixes.contains(QFileInfo(fileName).suffix().toLower()))
        return fileName;
    fileName += QLatin1Char('.') + suffixes.first();
    return !QFileInfo::exists(fileName) || confirmReplace(parent, caption, fileName) ? fileName : QString();
}

QString FileChooser::folder(QWidget* parent, const QString& caption)
{
    QFileDialog dialog(parent, caption, startFolder());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString folder = dialog.selectedFiles().first();
    remember(folder);
    return folder;
}

bool FileChooser::confirmReplace(QWidget* parent, const QString& caption, const QString& fileName)
{
    QMessageBox box(QMessageBox::Warning, caption,
                    tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(fileName).fileName()),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}
