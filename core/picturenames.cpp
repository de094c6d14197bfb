#include "core/picturenames.h"

#include <QHash>

QStringList storedPictureNames(const QList<int>& indexes, const QString& suffix)
{
    QHash<int, int> seen;
    QStringList names;
    names.reserve(indexes.size());
    for (int index : indexes) {
        const int count = ++seen[index];
        names << (count == 1 ? QStringLiteral("Image_%1.%2").arg(index).arg(suffix)
                             : QStringLiteral("Image_%1_%2.%3").arg(index).arg(count).arg(suffix));
    }
    return names;
}
