#include "ui/export/exportreport.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QMessageBox>
#include <QSaveFile>

namespace {
const int kListedFailures = 10;
}

bool ExportReport::save(const QImage& image, const QString& fileName)
{
    // A save file commits only once everything was flushed, so a full disk leaves no torn file.
    QSaveFile file(fileName);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else {
        QImageWriter writer(&file, QFileInfo(fileName).suffix().toLower().toLatin1());
        if (!writer.write(image)) {
            reason = writer.errorString();
            file.cancelWriting();
        } else if (!file.commit()) {
            reason = file.errorString();
        }
    }
    if (reason.isEmpty()) {
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
