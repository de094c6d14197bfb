#ifndef AUTOSAVEJOB_H
#define AUTOSAVEJOB_H

#include "core/picturearchive.h"
#include "device/kadeviceinfo.h"

#include <QMetaType>
#include <QString>

// One picture for the saving worker, and on the way back what it came to.
struct AutoSaveJob
{
    // The store's row and the connection it belongs to: a new connection empties the store, and a
    // result that comes back later must not mark another picture.
    quint64 generation = 0;
    int row = 0;
    QString chosenFolder; // as the user chose it
    QString folder;       // the device's folder inside it
    KaDeviceInfo device;
    ArchivedPicture picture;
};

Q_DECLARE_METATYPE(AutoSaveJob)
Q_DECLARE_METATYPE(ArchiveResult)

#endif // AUTOSAVEJOB_H
