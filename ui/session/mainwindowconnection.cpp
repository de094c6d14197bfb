// Connection control and the status column.
#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "ui/preview/previewarea.h"
#include "ui/preview/progressivepreview.h"
#include "ui/session/currentpicturecontrol.h"
#include "ui/session/linkfailuretext.h"
#include "ui/session/linksession.h"
#include "ui/session/transferstatuslabel.h"
#include "ui/settings/apptranslation.h"
#include "ui/settings/languagesetting.h"
#include "ui/window/fontfamilies.h"
#include "ui/window/pixelfont.h"
#include "ui/window/windowpicture.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace {
const int kStoredImageRequestDelayMs = 50;
}

void MainWindow::slotButtonConnect()
{
    // The last failure's reason goes at once; the connection state changes only with the device's report.
    if (!deviceConnected()) {
        linkSession->connectPressed();
        labelDeviceInfo->clear();
        labelDeviceInfo->setToolTip(QString());
        emit signalConnectDevice();
    } else {
        emit signalDisconnectDevice();
    }
}

void MainWindow::slotDeviceConnect(bool connected, int error, KaDeviceInfo info)
{
    // The link session keeps what the report says, and the reason of a failure that came before it.
    Q_UNUSED(error)
    Q_UNUSED(info)
    updateConnectState();
    if (!connected)
        return;
    // The worker forgot a picture cut off with the last connection.
    previewArea->partialDropped();
    previewArea->progressive()->unpin();

    pictureStore->clear();
    listWidget->clear();
    QTimer::singleShot(kStoredImageRequestDelayMs, this, SIGNAL(signalGetStoredImage()));
}

void MainWindow::updateConnectState()
{
    // The setting may have changed since the last refresh, by a click or by another program.
    AppTranslation::use(LanguageSetting::translationResource(), LanguageSetting::qtTranslation());
    const bool chinese = LanguageSetting::isChinese();
    const QString& regularFamily = chinese ? fontFamilyCh : fontFamilyEn;

    buttonConnect->setText(deviceConnected() ? tr("Disconnect") : tr("Connect"));
    buttonConnect->setFont(pixelFont(regularFamily, 21));

    labelStatusIcon->setGeometry(75, 142, 72, 72);
    labelStatusIcon->setPixmap(
        windowPicture(deviceConnected() ? ":/image/connected" : ":/image/disconnected"));

    labelStatusText->setText(deviceConnected() ? tr("Connected") : tr("Disonnected"));
    labelStatusText->setFont(pixelFont(regularFamily, 20));

    const std::optional<KaLinkFailure>& linkFailure = linkSession->failure();
    const bool failed = !deviceConnected() && linkFailure;
    labelDeviceInfo->setText(deviceConnected() ? devInfo().line2
                             : failed          ? LinkFailureText::brief(*linkFailure)
                                               : QString());
    // Rich text wraps, and its own colour keeps the label's white text off the tip's pale background.
    labelDeviceInfo->setToolTip(failed ? QStringLiteral("<p style=\"color:black;\">%1</p>")
                                             .arg(LinkFailureText::full(*linkFailure).toHtmlEscaped())
                                       : QString());
    labelDeviceInfo->setFont(pixelFont(failed ? regularFamily : fontFamilyEn, 16));
    // Read as shown: its text is its name, and a screen reader hears it change. The description
    // has what the tip has.
    labelDeviceInfo->setAccessibleDescription(failed
                                                  ? LinkFailureText::full(*linkFailure)
                                                  : tr("The connected device's serial number and firmware"));
}

bool MainWindow::deviceConnected() const
{
    return linkSession->isConnected();
}

const KaDeviceInfo& MainWindow::devInfo() const
{
    return linkSession->deviceInfo();
}
