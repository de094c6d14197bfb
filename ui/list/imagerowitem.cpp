#include "ui/list/imagerowitem.h"

ImageRowItem::ImageRowItem(int index) : QListWidgetItem(QString::number(index), nullptr, 0) {}

QVariant ImageRowItem::data(int role) const
{
    if (role == Qt::AccessibleTextRole)
        return QListWidgetItem::data(SavedRole).toBool() ? tr("Picture %1, saved").arg(text())
                                                         : tr("Picture %1").arg(text());
    if (role == Qt::AccessibleDescriptionRole)
        return tr("Shown in the preview when selected");
    return QListWidgetItem::data(role);
}
