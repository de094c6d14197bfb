#include "ui/session/statuscolumn.h"

#include "core/linkfailuretext.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/pixelfont.h"
#include "ui/window/windowpicture.h"

#include <QLabel>
#include <QPushButton>

StatusColumn::StatusColumn(QPushButton* buttonConnect, QLabel* icon, QLabel* status, QLabel* deviceInfo)
    : buttonConnect(buttonConnect), labelStatusIcon(icon), labelStatusText(status),
      labelDeviceInfo(deviceInfo)
{
}

void StatusColumn::show(bool connected, const KaDeviceInfo& info, const std::optional<KaLinkFailure>& failure,
                        bool chinese)
{
    const QString& regularFamily = chinese ? fontFamilyCh : fontFamilyEn;

    buttonConnect->setText(connected ? tr("Disconnect") : tr("Connect"));
    buttonConnect->setFont(pixelFont(regularFamily, 21));

    labelStatusIcon->setGeometry(75, 142, 72, 72);
    labelStatusIcon->setPixmap(windowPicture(connected ? ":/image/connected" : ":/image/disconnected"));

    labelStatusText->setText(connected ? tr("Connected") : tr("Disonnected"));
    labelStatusText->setFont(pixelFont(regularFamily, 20));

    const bool failed = !connected && failure;
    labelDeviceInfo->setText(connected ? info.line2 : failed ? LinkFailureText::brief(*failure) : QString());
    // Rich text wraps, and its own colour keeps the label's white text off the tip's pale background.
    labelDeviceInfo->setToolTip(failed ? QStringLiteral("<p style=\"color:black;\">%1</p>")
                                             .arg(LinkFailureText::full(*failure).toHtmlEscaped())
                                       : QString());
    labelDeviceInfo->setFont(pixelFont(failed ? regularFamily : fontFamilyEn, 16));
    // Read as shown: its text is its name, and a screen reader hears it change. The description
    // has what the tip has.
    labelDeviceInfo->setAccessibleDescription(
        failed ? LinkFailureText::full(*failure) : tr("The connected device's serial number and firmware"));
}

void StatusColumn::clearDeviceLine()
{
    labelDeviceInfo->clear();
    labelDeviceInfo->setToolTip(QString());
}
