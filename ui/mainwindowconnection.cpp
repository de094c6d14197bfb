// Connection control and the status column.
#include "ui/mainwindow.h"

#include "app/fontfamilies.h"
#include "ui/languagesetting.h"
#include "ui/pixelfont.h"

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
    // Only the device's report changes what the window shows.
    if (!deviceConnected)
        emit signalConnectDevice();
    else
        emit signalDisconnectDevice();
}

void MainWindow::slotDeviceConnect(bool connected, int error, KaDeviceInfo info)
{
    Q_UNUSED(error) // every failure shows the same disconnected state
    deviceConnected = connected;
    devInfo = info;
    updateConnectState();
    if (!connected)
        return;

    storedImages.clear();
    storedImageIndexes.clear();
    pendingImages.clear();
    listWidget->clear();
    QTimer::singleShot(kStoredImageRequestDelayMs, this, SIGNAL(signalGetStoredImage()));
}

void MainWindow::updateConnectState()
{
    const bool chinese = LanguageSetting::isChinese();
    const QString& regularFamily = chinese ? fontFamilyCh : fontFamilyEn;

    if (deviceConnected)
        buttonConnect->setText(chinese ? QString::fromUtf8("断开") : QString("Disconnect"));
    else
        buttonConnect->setText(chinese ? QString::fromUtf8("连接") : QString("Connect"));
    buttonConnect->setFont(pixelFont(regularFamily, 21));

    labelStatusIcon->setGeometry(75, 142, 72, 72);
    labelStatusIcon->setPixmap(QPixmap(deviceConnected ? ":/image/connected" : ":/image/disconnected"));

    if (deviceConnected)
        labelStatusText->setText(chinese ? QString::fromUtf8("已连接") : QString("Connected"));
    else
        labelStatusText->setText(chinese ? QString::fromUtf8("未连接") : QString("Disonnected"));
    labelStatusText->setFont(pixelFont(regularFamily, 20));

    labelDeviceInfo->setText(deviceConnected ? devInfo.line2 : QString());
    labelDeviceInfo->setFont(pixelFont(fontFamilyEn, 16));
}
