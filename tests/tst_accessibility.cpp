// What a screen reader hears of the window, through Qt's accessibility as the bridge to the
// desktop's screen reader sees it: the device line and the failure reason read as shown, every
// change of the status column, the transfer line and the preview announced, the separator between
// the languages not read as text, and the preview naming what it shows, in both languages.
#include "device/kadevice.h"
#include "support/plaintext.h"
#include "support/shownwindow.h"
#include "ui/preview/previewarea.h"
#include "ui/session/linksession.h"
#include "ui/window/fontfamilies.h"

#include <QAccessible>
#include <QPushButton>
#include <QtTest>

namespace {

// The widgets whose name changed since the last look.
QList<QObject*> renamed;

void record(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::NameChanged)
        renamed.append(event->object());
}

QString heard(QWidget* widget, QAccessible::Text text = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        loadFontFamilies();
        QAccessible::installUpdateHandler(record);
        // On once the accessibility bus answers.
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 30000);
    }
    void cleanupTestCase() { QAccessible::installUpdateHandler(nullptr); }

    void windowSaysWhatItShows()
    {
        ShownWindow rig;
        QVERIFY(rig.exposed);
        QLabel* info = rig.child("labelDeviceInfo");
        QLabel* status = rig.child("labelStatusText");
        QLabel* preview = rig.child("labelPreview");
        QLabel* line = rig.child("labelTransfer");
        QAccessibleInterface* separator = QAccessible::queryAccessibleInterface(rig.child("labelSeparator"));
        QCOMPARE(separator->role(), QAccessible::Separator);
        QCOMPARE(separator->text(QAccessible::Name), QString());
        QCOMPARE(heard(preview), QString("Preview: no picture"));

        // The failure's reason as shown, its whole text as the tip has it.
        renamed.clear();
        rig.window.findChild<LinkSession*>()->linkFailed(KaLinkFailure());
        rig.window.findChild<LinkSession*>()->deviceConnected(false, DEV_ERR_NO_PORT, KaDeviceInfo());
        QCOMPARE(heard(info), QString("No device found"));
        QCOMPARE(heard(info, QAccessible::Description), plainText(info->toolTip()));
        QVERIFY(renamed.contains(info));

        renamed.clear();
        rig.window.findChild<LinkSession*>()->deviceConnected(
            true, DEV_ERR_NONE, KaDeviceInfo{"KA", "SN 2026-0042 FW 1.3", "", ""});
        QCOMPARE(heard(info), QString("SN 2026-0042 FW 1.3"));
        QCOMPARE(heard(status), QString("Connected"));
        QVERIFY(renamed.contains(info) && renamed.contains(status));

        renamed.clear();
        QImage picture(36, 24, QImage::Format_RGB16);
        picture.fill(Qt::red);
        rig.deliver(5, picture);
        QCOMPARE(heard(preview), QString("Preview: picture 5, 36 by 24 pixels, 2 bytes per pixel"));
        QVERIFY(renamed.contains(preview));

        // A picture arriving is heard once, not at every view of it or every step of its bytes.
        renamed.clear();
        KaDevice* device = rig.window.findChild<LinkSession*>()->device();
        emit device->s_frame_started(false, 6, picture.width(), picture.height());
        for (int received : {100, 200}) {
            emit device->s_transfer_progress(6, received, 1000);
            rig.window.findChild<PreviewArea*>()->partialView(picture);
        }
        QCOMPARE(renamed.count(line), 1);
        QCOMPARE(renamed.count(preview), 1);
        QCOMPARE(heard(line), QString("Receiving picture 6, pictures received: 0"));
        emit device->s_transfer_dropped(6, 200, 1000);

        // Asked too early, the line says why, and says it aloud.
        renamed.clear();
        rig.window.slotCurrentPicture();
        QCOMPARE(heard(line), line->text());
        QVERIFY(!line->text().isEmpty() && renamed.contains(line));

        renamed.clear();
        QTest::mouseClick(rig.child<QPushButton>("buttonCh"), Qt::LeftButton);
        QCOMPARE(heard(preview), QString::fromUtf8("预览：图片 5，36 × 24 像素，每像素 2 字节"));
        QCOMPARE(heard(status), QString::fromUtf8("已连接"));
        QVERIFY(renamed.contains(preview) && renamed.contains(status));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
