#ifndef STATUSCOLUMN_H
#define STATUSCOLUMN_H

#include "device/kadeviceinfo.h"
#include "device/kalinkfailure.h"

#include <QCoreApplication>
#include <optional>

class QLabel;
class QPushButton;

// The top of the left column as the link session stands: Connect or Disconnect, the status icon
// and text, and the device's own line or why the last attempt failed, with its whole text in the
// tip and for screen readers.
class StatusColumn
{
    Q_DECLARE_TR_FUNCTIONS(StatusColumn)

public:
    StatusColumn(QPushButton* buttonConnect, QLabel* icon, QLabel* status, QLabel* deviceInfo);

    void show(bool connected, const KaDeviceInfo& info, const std::optional<KaLinkFailure>& failure,
              bool chinese);
    // Connect was pressed: the last reason goes at once.
    void clearDeviceLine();

private:
    QPushButton* buttonConnect;
    QLabel* labelStatusIcon;
    QLabel* labelStatusText;
    QLabel* labelDeviceInfo;
};

#endif // STATUSCOLUMN_H
