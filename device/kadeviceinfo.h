#ifndef KADEVICEINFO_H
#define KADEVICEINFO_H

#include <QMetaType>
#include <QString>

// The four text lines of the device's information reply, in arrival order.
struct KaDeviceInfo
{
    QString line1;
    QString line2;
    QString line3;
    QString line4;
};

Q_DECLARE_METATYPE(KaDeviceInfo)

#endif // KADEVICEINFO_H
