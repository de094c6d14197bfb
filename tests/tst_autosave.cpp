// Saving each picture as it arrives, against the simulator over a real port: the files, their
// pixels and text, once only; what is never saved; a hostile device line; a full disk; the
// setting in the file, the menu and the keys; the rows' mark; closing while pictures are written.
#include "device/portlist.h"
#include "devicesimulator.h"
#include "protocolframes.h"
#include "simimage.h"
#include "support/debugcapture.h"
#include "support/dialoganswer.h"
#include "support/framebytes.h"
#include "support/shownwindow.h"
#include "ui/autosave/autosave.h"
#include "ui/session/linksession.h"
#include "ui/window/fontfamilies.h"

#include <QDirIterator>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const int kWaitMs = 30000;
const QByteArray kOn = "[General]\nautosavefolder=%OUT%\n";
const QString kEntry = QString::fromUtf8("Save each picture as it arrives…\tCtrl+Shift+S");

// A working folder whose settings file holds `settings` before a window reads it.
struct PreparedWorkDir : ScopedWorkDir
{
    PreparedWorkDir(QByteArray settings, const QString& out)
    {
        QFile file(filePath("kalocfg.ini"));
        if (!settings.isEmpty() && file.open(QIODevice::WriteOnly))
            file.write(settings.replace("%OUT%", out.toUtf8()));
    }
};

struct Rig
{
    Rig(const QList<SimImage>& pictures, const QByteArray& settings, const QString& folder = QString())
        : folder(folder.isEmpty() ? out.path() : folder), workDir(settings, this->folder),
          window(std::make_unique<MainWindow>())
    {
        sim.setStoredImages(pictures);
        simOpen = sim.openPty();
        const QString port = sim.portName();
        setPortListProvider([port] { return PortList{{port, "CP2102 USB to UART Bridge Controller"}}; });
        window->show();
        simOpen = simOpen && QTest::qWaitForWindowExposed(window.get());
    }
    ~Rig() { setPortListProvider(nullptr); }
    template <typename T = QLabel> T* child(const char* name) const { return window->findChild<T*>(name); }
    QListWidget* list() const { return child<QListWidget>("listWidget"); }
    // The transfer line as a screen reader hears it: whole, the folder not shortened.
    QString line() const { return child("labelTransfer")->accessibleName(); }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    // Connected, and the stored pictures are in.
    bool connectAndWait()
    {
        click("buttonConnect");
        auto* session = window->findChild<LinkSession*>();
        return QTest::qWaitFor([session] { return session->isConnected(); }, kWaitMs) && transferOver();
    }
    bool transferOver()
    {
        auto* session = window->findChild<LinkSession*>();
        return QTest::qWaitFor([session] { return !session->currentPictureRefusal(); }, kWaitMs);
    }
    void send(const SimImage& picture) { sim.sendRaw(ProtocolFrames::storedImageFrame(picture)); }
    // The window takes the keys once it is active again, after a dialog.
    bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        QTest::keyClick(window.get(), key, modifiers);
        return true;
    }
    // Opens the preview's menu, notes whether its entry is checked and chooses it.
    bool chooseEntry()
    {
        bool checked = false;
        QTimer::singleShot(0, [&checked] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu ? menu->actions() : QList<QAction*>())
                if (action->text() == kEntry) {
                    checked = action->isChecked();
                    menu->setActiveAction(action);
                    return QTest::keyClick(menu, Qt::Key_Return);
                }
            if (menu)
                menu->close();
        });
        emit child("labelFrame")->customContextMenuRequested(QPoint(100, 100));
        return checked;
    }

    QTemporaryDir out;
    QString folder;
    DeviceSimulator sim;
    bool simOpen = false;
    PreparedWorkDir workDir;
    std::unique_ptr<MainWindow> window;
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Every file under the folder, by its path inside it.
QStringList filesUnder(const QString& folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QString savedLine(const QString& folder, int written, int there)
{
    return QString("Saved to %1: %2 new, %3 already there")
        .arg(QDir::toNativeSeparators(folder))
        .arg(written)
        .arg(there);
}

int failuresTold(const DebugCapture& debug)
{
    return debug.lines().filter(QRegularExpression("^picture \\d+ not saved in .*No space left")).size();
}

// Fills the file system that holds the folder to the last byte.
bool fill(const QString& path)
{
    const int fd = ::open(qPrintable(path), O_WRONLY | O_CREAT, 0600);
    const QByteArray block(4096, 'x');
    while (fd >= 0 && ::write(fd, block.constData(), block.size()) > 0) {
    }
    return fd >= 0 && ::close(fd) == 0;
}

// A savemark under the row's number: green there, where an unsaved row shows the list's grey.
bool markShown(QListWidget* list, int row)
{
    const QImage shown = list->viewport()->grab(list->visualItemRect(list->item(row))).toImage();
    const QColor mark = shown.pixelColor(QPoint(21, 80) * shown.devicePixelRatio());
    return mark.green() > mark.red() + 60 && mark.green() > mark.blue() + 60;
}

} // namespace

class TestAutoSave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }

    void eachPictureIsSavedOnceWithItsPixelsAndText()
    {
        // Every pixel format, a padded row, and a number sent twice.
        const QList<SimImage> pictures{SimImage::pattern(5, 123, 77, 1), SimImage::pattern(7, 360, 240, 2),
                                       SimImage::pattern(2, 360, 240, 3), SimImage::pattern(7, 40, 30, 3)};
        const QStringList names{"Image_5.png", "Image_7.png", "Image_2.png", "Image_7_2.png"};
        const QStringList lines{"KA-100", " SN 0042 FW 2.1 ", "1024 images", "ok"};
        Rig rig(pictures, kOn);
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setInfoLines(lines);
        const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
        QVERIFY(rig.connectAndWait());
        const QString folder = rig.out.filePath("SN_0042_FW_2.1");
        QTRY_COMPARE_WITH_TIMEOUT(
            rig.line(), "Transfer finished, pictures received: 4. " + savedLine(folder, 4, 0), kWaitMs);
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(entries(folder), sorted);
        for (int i = 0; i < pictures.size(); ++i) {
            const SimImage& sent = pictures.at(i);
            const QImage saved(folder + "/" + names.at(i), "PNG");
            QCOMPARE(rgb(saved), rgb(sent.toQImage()));
            if (sent.bpp == 1)
                QCOMPARE(describe(saved),
                         describe(sent.toQImage().convertToFormat(QImage::Format_Grayscale8)));
            QCOMPARE(saved.text("Picture number"), QString::number(sent.index));
            QCOMPARE(saved.text("Bytes per pixel"), QString::number(sent.bpp));
            for (int line = 0; line < 4; ++line)
                QCOMPARE(saved.text(QString("Device line %1").arg(line + 1)), lines.at(line));
            const QString arrived = saved.text("Arrived");
            QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$")
                         .match(arrived)
                         .hasMatch(),
                     qPrintable(arrived));
            const QDateTime when = QDateTime::fromString(arrived, Qt::ISODate);
            QVERIFY2(when >= start && when <= QDateTime::currentDateTime(), qPrintable(arrived));
            QCOMPARE(rig.list()->item(i)->data(Qt::AccessibleTextRole).toString(),
                     "Picture " + QString::number(sent.index) + ", saved");
            QVERIFY(markShown(rig.list(), i));
        }

        // Again: every picture is found there, nothing is added, and the line says so.
        rig.click("buttonConnect");
        QTRY_VERIFY_WITH_TIMEOUT(!rig.window->findChild<LinkSession*>()->isConnected(), kWaitMs);
        QVERIFY(rig.connectAndWait());
        QTRY_COMPARE_WITH_TIMEOUT(
            rig.line(), "Transfer finished, pictures received: 4. " + savedLine(folder, 0, 4), kWaitMs);
        QCOMPARE(entries(folder), sorted);
        QCOMPARE(entries(rig.out.path()), QStringList("SN_0042_FW_2.1"));
        rig.click("buttonCh");
        QVERIFY2(rig.line().endsWith(QString::fromUtf8("新增 0 张，已存在 4 张")), qPrintable(rig.line()));
    }

    void onlyWholeStoredPicturesAreSavedInsideTheFolder()
    {
        Rig rig({SimImage::pattern(5, 360, 240, 3)}, kOn);
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        rig.sim.setInfoLines({"KA-100", "../../x\\..\\y/z", "1024 images", "ok"});
        rig.sim.setCutShort(1000);
        rig.sim.setCurrentImage(SimImage::pattern(0, 64, 48, 3));
        QVERIFY(rig.connectAndWait());
        QTRY_VERIFY_WITH_TIMEOUT(rig.line().startsWith("Picture 5 was incomplete"), kWaitMs);
        rig.sim.setCutShort(std::nullopt);
        rig.send(SimImage::pattern(6, 120, 80, 2));
        QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.list()), QStringList("6"), kWaitMs);
        QVERIFY(rig.transferOver());
        QVERIFY(rig.press(Qt::Key_F5));
        QTRY_COMPARE_WITH_TIMEOUT(rig.child("labelTransfer")->text(), QString("Current picture received"),
                                  kWaitMs);
        // Written after whatever came before it: once it is there, nothing else was asked for.
        rig.send(SimImage::pattern(8, 30, 20, 1));
        QTRY_COMPARE_WITH_TIMEOUT(filesUnder(rig.out.path()),
                                  (QStringList{"x_.._y_z/Image_6.png", "x_.._y_z/Image_8.png"}), kWaitMs);
        QCOMPARE(entries(rig.workDir.path()), QStringList("kalocfg.ini"));
    }

    void fullDiskIsToldOnceAndSavingGoesOn()
    {
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        QTemporaryDir disk;
        QCOMPARE(::mount("tmpfs", qPrintable(disk.path()), "tmpfs", 0, "size=1m"), 0);
        const std::shared_ptr<void> unmount(
            nullptr, [&disk](void*) { ::umount2(qPrintable(disk.path()), MNT_DETACH); });
        const QString filler = disk.filePath("filler");
        QVERIFY(fill(filler));
        QList<SimImage> pictures;
        for (int index = 1; index <= 3; ++index)
            pictures << SimImage::pattern(index, 360, 240, 3);
        DebugCapture debug;
        Rig rig(pictures, kOn, disk.path());
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        QVERIFY(rig.connectAndWait());
        const QString folder = disk.filePath("SN_0001_FW_1.0");
        QTRY_VERIFY_WITH_TIMEOUT(
            rig.line().endsWith("Saving to " + folder +
                                " failed: No space left on device (0 new, 0 already there, "
                                "3 not saved)"),
            kWaitMs);
        QCOMPARE(failuresTold(debug), 1);
        QCOMPARE(entries(folder), QStringList());

        // Room again: the next picture is saved without a word from the user.
        QVERIFY(QFile::remove(filler));
        rig.send(SimImage::pattern(4, 360, 240, 3));
        QTRY_COMPARE_WITH_TIMEOUT(entries(folder), QStringList("Image_4.png"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.line().endsWith(savedLine(folder, 1, 0) + ", 3 not saved"), kWaitMs);

        // Full anew: told anew.
        QVERIFY(fill(filler));
        rig.send(SimImage::pattern(5, 360, 240, 3));
        QTRY_VERIFY_WITH_TIMEOUT(rig.line().endsWith("(1 new, 0 already there, 4 not saved)"), kWaitMs);
        QCOMPARE(failuresTold(debug), 2);
        QCOMPARE(entries(folder), QStringList("Image_4.png"));
        QCOMPARE(rig.list()->count(), 5);
    }

    void settingFollowsTheFileTheMenuAndTheKeys()
    {
        const QList<SimImage> pictures{SimImage::pattern(3, 64, 48, 3), SimImage::pattern(4, 64, 48, 1)};
        Rig rig(pictures, "[General]\nlanguage=chinesesimplified\n");
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        QVERIFY(rig.child<QPushButton>("buttonExport")->text() != "Export");
        QVERIFY(rig.connectAndWait());
        QTRY_COMPARE_WITH_TIMEOUT(rowNumbers(rig.list()), (QStringList{"3", "4"}), kWaitMs);
        rig.click("buttonEn");
        QCOMPARE(rig.list()->item(0)->data(Qt::AccessibleTextRole).toString(), QString("Picture 3"));
        QVERIFY(!markShown(rig.list(), 0));

        // On from the menu: what the window holds is saved, and the folder is kept in the file.
        QTemporaryDir first;
        const QString device = "SN_0001_FW_1.0";
        {
            DialogAnswer answer(first.path());
            QVERIFY(!rig.chooseEntry());
            QCOMPARE(answer.dialogs(), 1);
        }
        QTRY_COMPARE_WITH_TIMEOUT(entries(first.filePath(device)),
                                  (QStringList{"Image_3.png", "Image_4.png"}), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(markShown(rig.list(), 1), kWaitMs);
        QCOMPARE(rig.list()->item(1)->data(Qt::AccessibleTextRole).toString(), QString("Picture 4, saved"));
        QFile raw(rig.workDir.filePath("kalocfg.ini"));
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.readAll().startsWith("[General]\n"));
        QSettings file(raw.fileName(), QSettings::IniFormat);
        QCOMPARE(file.value("autosavefolder").toString(), QDir(first.path()).absolutePath());
        QCOMPARE(file.value("language").toString(), QString("en"));
        // A window started now reads it.
        QVERIFY(MainWindow().findChild<AutoSave*>()->isOn());

        // Off by the keys: the next picture stays in the window only.
        QVERIFY(rig.press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier));
        file.sync();
        QCOMPARE(file.value("autosavefolder").toString(), QString());
        QVERIFY(!MainWindow().findChild<AutoSave*>()->isOn());
        rig.send(SimImage::pattern(9, 64, 48, 2));
        QTRY_COMPARE_WITH_TIMEOUT(rig.list()->count(), 3, kWaitMs);

        // On by the keys into another folder once disconnected: all three go to their device's
        // folder there, and the first folder got nothing more.
        rig.click("buttonConnect");
        QTRY_VERIFY_WITH_TIMEOUT(!rig.window->findChild<LinkSession*>()->isConnected(), kWaitMs);
        QTemporaryDir second;
        {
            DialogAnswer answer(second.path());
            QVERIFY(rig.press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier));
            QCOMPARE(answer.dialogs(), 1);
        }
        QTRY_COMPARE_WITH_TIMEOUT(entries(second.filePath(device)),
                                  (QStringList{"Image_3.png", "Image_4.png", "Image_9.png"}), kWaitMs);
        QCOMPARE(entries(first.filePath(device)), (QStringList{"Image_3.png", "Image_4.png"}));
        QVERIFY(rig.chooseEntry());
        QVERIFY(!rig.window->findChild<AutoSave*>()->isOn());
    }

    void closingWritesWhatIsStillQueued()
    {
        QList<SimImage> pictures;
        for (int index = 1; index <= 100; ++index)
            pictures << SimImage::pattern(index, 360, 240, 3);
        Rig rig(pictures, kOn);
        QVERIFY2(rig.simOpen, qPrintable(rig.sim.errorString()));
        DebugCapture debug;
        rig.click("buttonConnect");
        QTRY_COMPARE_WITH_TIMEOUT(rig.list()->count(), 100, kWaitMs);
        rig.window.reset();
        QCOMPARE(entries(rig.out.filePath("SN_0001_FW_1.0")).size(), 100);
        QVERIFY2(debug.lines().filter("left behind").isEmpty(), qPrintable(debug.lines().join('|')));
    }
};

QTEST_MAIN(TestAutoSave)
#include "tst_autosave.moc"
