#include "ui/export/exportreport.h"

#include "core/imagefile.h"

#include <QDebug>
#include <QDir>
#include <QMessageBox>

namespace {
const int kListedFailures = 10;
}

bool ExportReport::save(const QImage& image, const QString& fileName)
{
    QString reason;
    if (writeImageFile(image, fileName, &reason)) {
        ++writtenFiles;
        return true;
    }
    qDebug() << "export failed:" << fileName;
    failedFiles << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(fileName), reason);
    return false;
}

void ExportReport::tellUser(QWidget* parent) const
{
    if (failedFiles.isEmpty())
        return;
    QString text;
    if (writtenFiles == 0 && failedFiles.size() == 1 && untriedFiles == 0)
        text = tr("The file could not be saved:");
    else
        text = tr("%1 of %2 files were saved. These could not be saved:")
                   .arg(writtenFiles)
                   .arg(writtenFiles + failedFiles.size() + untriedFiles);
    text += QLatin1Char('\n') + shortList(failedFiles);
    if (untriedFiles > 0)
        text +=
            QLatin1Char('\n') +
            tr("The folder cannot be written, so the export stopped; files not tried: %1.").arg(untriedFiles);
    // File names and the system's reasons are shown as they are, never as markup.
    QMessageBox box(QMessageBox::Warning, tr("Export failed"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString ExportReport::shortList(const QStringList& lines)
{
    QString text = lines.mid(0, kListedFailures).join(QLatin1Char('\n'));
    if (lines.size() > kListedFailures)
        text += QLatin1Char('\n') + tr("and %1 more").arg(lines.size() - kListedFailures);
    return text;
}
