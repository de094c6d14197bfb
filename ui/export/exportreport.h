#ifndef EXPORTREPORT_H
#define EXPORTREPORT_H

#include <QCoreApplication>
#include <QImage>
#include <QStringList>

class QWidget;

// Writes the files of one export and tells the user afterwards which could not be written and
// why; an export that wrote everything stays quiet.
class ExportReport
{
    Q_DECLARE_TR_FUNCTIONS(ExportReport)

public:
    // Writes the image in the format its suffix names, whole or not at all.
    bool save(const QImage& image, const QString& fileName);
    // The export ended early because its folder takes no files; these were not tried.
    void stopped(int notTried) { untriedFiles = notTried; }

    int written() const { return writtenFiles; }
    QStringList failures() const { return failedFiles; }
    void tellUser(QWidget* parent) const;

    // The first ten lines and how many more there are, one a line.
    static QString shortList(const QStringList& lines);

private:
    int writtenFiles = 0;
    int untriedFiles = 0;
    QStringList failedFiles; // "file: reason"
};

#endif // EXPORTREPORT_H
