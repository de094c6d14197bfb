// Export and Export All through the real file dialogs: which dialogs open and which files appear.
#include "app/fontfamilies.h"
#include "support/debugcapture.h"
#include "support/dialoganswer.h"
#include "support/shownwindow.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList filesIn(const QString& directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The window with one flat-coloured image for each index, in order.
struct Rig : ShownWindow
{
    explicit Rig(const QList<int>& indexes)
    {
        for (int i = 0; i < indexes.size(); ++i) {
            images.append(QImage(360, 240, QImage::Format_RGB32));
            images.last().fill(QColor::fromHsv(90 * i, 200, 220));
            deliver(indexes.at(i), images.last());
        }
    }

    // Clicks the button with any dialog answered by the path, and checks the dialogs that opened.
    void click(const QString& button, int dialogs, const QString& path)
    {
        DialogAnswer answer(path);
        QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(answer.dialogs(), dialogs);
        QCOMPARE(answer.strays(), QStringList());
    }

    QList<QImage> images;
};

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadFontFamilies(); }
    void nothingExportedUnlessChosen_data();
    void nothingExportedUnlessChosen();
    void exportAllWritesOneFilePerIndex();
    void exportWritesChosenName_data();
    void exportWritesChosenName();
    void failedSaveIsReported();
};

void TestExport::nothingExportedUnlessChosen_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("images");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("export, nothing previewed") << "buttonExport" << 0 << 0;
    QTest::newRow("export all, empty list") << "buttonExportAll" << 0 << 0;
    QTest::newRow("export cancelled") << "buttonExport" << 2 << 1;
    QTest::newRow("export all cancelled") << "buttonExportAll" << 2 << 1;
}

void TestExport::nothingExportedUnlessChosen()
{
    QFETCH(QString, button);
    QFETCH(int, images);
    QFETCH(int, dialogs);
    Rig rig(QList<int>({1, 2}).mid(0, images));
    QVERIFY(rig.exposed);
    rig.click(button, dialogs, QString());
    QCOMPARE(filesIn(rig.workDir.path()), QStringList());
}

void TestExport::exportAllWritesOneFilePerIndex()
{
    Rig rig({5, 7});
    QVERIFY(rig.exposed);
    clickRow(rig.list(), 0);
    rig.click("buttonExportAll", 1, rig.workDir.path());

    QCOMPARE(filesIn(rig.workDir.path()), QStringList({"Image_5.jpg", "Image_7.jpg"}));
    // The walk through the list ends on its last image.
    QCOMPARE(rig.preview(), rig.images.last());
    QVERIFY(rig.window.findChildren<QFileDialog*>().isEmpty());
    verifyExported(rig.workDir.filePath("Image_5.jpg"), rig.exportView(0));
    verifyExported(rig.workDir.filePath("Image_7.jpg"), rig.exportView(1));
}

void TestExport::exportWritesChosenName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("name with suffix") << "shot.jpg";
    QTest::newRow("name without suffix") << "shot";
}

void TestExport::exportWritesChosenName()
{
    QFETCH(QString, typed);
    Rig rig({1, 2});
    QVERIFY(rig.exposed);
    rig.click("buttonExport", 1, rig.workDir.filePath(typed));
    QCOMPARE(filesIn(rig.workDir.path()), QStringList("shot.jpg"));
    verifyExported(rig.workDir.filePath("shot.jpg"), rig.exportView(1));
}

void TestExport::failedSaveIsReported()
{
    Rig rig({1});
    QVERIFY(rig.exposed);
    // A plain file where a directory is expected makes the place unwritable for any user.
    QFile blocker(rig.workDir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString target = rig.workDir.filePath("blocker/shot.jpg");

    DebugCapture debug;
    DialogAnswer answer(target);
    QTest::mouseClick(rig.window.findChild<QPushButton*>("buttonExport"), Qt::LeftButton);
    QCOMPARE(answer.dialogs(), 1);
    // The user is told which file and why.
    QCOMPARE(answer.strays().size(), 1);
    QVERIFY2(
        answer.strays().first().startsWith("QMessageBox \"Export failed\": The file could not be saved:\n" +
                                           QDir::toNativeSeparators(target) + ": "),
        qPrintable(answer.strays().first()));
    QCOMPARE(filesIn(rig.workDir.path()), QStringList("blocker"));
    QVERIFY2(!debug.lines().filter(target).isEmpty(), qPrintable(debug.lines().join(" | ")));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
