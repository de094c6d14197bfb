#ifndef FILECHOOSER_H
#define FILECHOOSER_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

// The file and folder dialogs of the export commands. They open in the folder used last, kept in
// the settings file, or in the working folder when there is none or it is gone.
class FileChooser
{
    Q_DECLARE_TR_FUNCTIONS(FileChooser)

public:
    // A name of a file to write, or empty. A name without a suffix gets the first of `suffixes`
    // from the dialog itself, so its overwrite question is about the real name; a name with any
    // other suffix gets it appended, and the same question here. `suggested` is a name offered.
    static QString saveFile(QWidget* parent, const QString& caption, const QString& filter,
                            const QStringList& suffixes, const QString& suggested = QString());
    // A folder to write into, or empty.
    static QString folder(QWidget* parent, const QString& caption);

private:
    static QString startFolder();
    static void remember(const QString& folder);
    static bool confirmReplace(QWidget* parent, const QString& caption, const QString& fileName);
};

#endif // FILECHOOSER_H
