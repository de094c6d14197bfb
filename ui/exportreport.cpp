#include "ui/exportreport.h"

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
    if (writtenFiles == 0 && failedFiles.size() == 1)
        text = tr("The file could not be saved:");
    else
        text = tr("%1 of %2 files were saved. These could not be saved:")
                   .arg(writtenFiles)
                   .arg(writtenFiles + failedFiles.size());
    text += QLatin1Char('\n') + failedFiles.mid(0, kListedFailures).join(QLatin1Char('\n'));
    if (failedFiles.size() > kListedFailures)
        text += QLatin1Char('\n') + tr("and %1 more").arg(failedFiles.size() - kListedFailures);
    QMessageBox::warning(parent, tr("Export failed"), text);
}
