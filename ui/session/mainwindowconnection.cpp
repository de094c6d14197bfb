// Connection control: Connect, the device's reports, the current picture's requests, and the
// status column as the session stands.
#include "ui/window/mainwindow.h"

#include "core/picturestore.h"
#include "ui/preview/previewarea.h"
#include "ui/session/linksession.h"
#include "ui/session/statuscolumn.h"
#include "ui/settings/apptranslation.h"
#include "ui/settings/languagesetting.h"

#include <QTimer>

namespace {
const int kStoredImageRequestDelayMs = 50;
}

void MainWindow::slotButtonConnect()
{
    // The last failure's reason goes at once; the connection state changes only with the device's report.
    if (!deviceConnected()) {
        linkSession->connectPressed();
        statusColumn->clearDeviceLine();
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
    pictureStore->clear();
    QTimer::singleShot(kStoredImageRequestDelayMs, this, SIGNAL(signalGetStoredImage()));
}

void MainWindow::slotCurrentPicture()
{
    // Asked for, so it is wanted in the preview.
    if (linkSession->requestCurrentPicture())
        previewArea->followArrivals();
}

void MainWindow::slotLiveView()
{
    if (linkSession->toggleLiveView())
        previewArea->followArrivals();
}

void MainWindow::updateConnectState()
{
    // The setting may have changed since the last refresh, by a click or by another program.
    AppTranslation::use(LanguageSetting::translationResource(), LanguageSetting::coreTranslationResource(),
                        LanguageSetting::qtTranslation());
    statusColumn->show(deviceConnected(), devInfo(), linkSession->failure(), LanguageSetting::isChinese());
}

bool MainWindow::deviceConnected() const
{
    return linkSession->isConnected();
}

const KaDeviceInfo& MainWindow::devInfo() const
{
    return linkSession->deviceInfo();
}
