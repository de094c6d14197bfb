// Language selection: the setting in "kalocfg.ini" and every text, picture, font and geometry
// that follows it.
#include "app/fontfamilies.h"
#include "device/kadeviceinfo.h"
#include "support/scopedworkdir.h"
#include "ui/mainwindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#define FIND_CHILD(var, Type, parent, name)                                                                  \
    Type* const var = (parent).findChild<Type*>(name);                                                       \
    QVERIFY2(var, "no child named " name)

namespace {

const char* const kSettingsFile = "kalocfg.ini";
const int kWaitMs = 20000;

QString textOf(const QWidget* widget)
{
    // QLabel and QAbstractButton both carry their text in this property.
    return widget->property("text").toString();
}

QImage comparable(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

KaDeviceInfo deviceInfo()
{
    return KaDeviceInfo{"A", "  B  ", "C", "D"};
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstStartIsEnglishAndCreatesNoFile();
    void textsFollowLanguage_data();
    void textsFollowLanguage();
    void fontsFollowLanguage_data();
    void fontsFollowLanguage();
    void geometryFollowsLanguage_data();
    void geometryFollowsLanguage();
    void picturesFollowLanguage_data();
    void picturesFollowLanguage();
    void languageButtonsStoreTheSetting();
    void onlyTheExactValueMeansChinese_data();
    void onlyTheExactValueMeansChinese();
    void outsideChangeShowsAtNextRefresh();
    void switchWhileConnectedKeepsConnectionAndList();
};

void TestLanguage::initTestCase()
{
    loadFontFamilies();
    // Real, distinct families, or the font checks below could not tell the languages apart.
    QVERIFY(!fontFamilyEn.isEmpty());
    QVERIFY(!fontFamilyEnBold.isEmpty());
    QVERIFY(!fontFamilyCh.isEmpty());
    QVERIFY(fontFamilyCh != fontFamilyEn);
}

void TestLanguage::firstStartIsEnglishAndCreatesNoFile()
{
    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonExport, QPushButton, window, "buttonExport");
    FIND_CHILD(labelUnderline, QLabel, window, "labelUnderline");

    QCOMPARE(textOf(buttonExport), QString("Export"));
    QCOMPARE(labelUnderline->geometry(), QRect(780, 113, 50, 3));

    // Each refresh reads the setting again; reading never creates the file.
    window.slotDeviceConnect(false, 1, KaDeviceInfo());
    window.slotDeviceConnect(true, 0, deviceInfo());
    QCOMPARE(QDir(workDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestLanguage::textsFollowLanguage_data()
{
    QTest::addColumn<QString>("widgetName");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");

    QTest::newRow("connect button, disconnected")
        << "buttonConnect" << false << "Connect" << QString::fromUtf8("连接");
    QTest::newRow("connect button, connected")
        << "buttonConnect" << true << "Disconnect" << QString::fromUtf8("断开");
    QTest::newRow("export") << "buttonExport" << false << "Export" << QString::fromUtf8("导出");
    QTest::newRow("export all") << "buttonExportAll" << false << "Export All"
                                << QString::fromUtf8("导出全部");
    // "Disonnected" is the program's text as it stands.
    QTest::newRow("status, disconnected")
        << "labelStatusText" << false << "Disonnected" << QString::fromUtf8("未连接");
    QTest::newRow("status, connected")
        << "labelStatusText" << true << "Connected" << QString::fromUtf8("已连接");
    // Texts that stay the same in both languages.
    QTest::newRow("Chinese button") << "buttonCh" << false << QString::fromUtf8("中文")
                                    << QString::fromUtf8("中文");
    QTest::newRow("English button") << "buttonEn" << false << "English"
                                    << "English";
    QTest::newRow("separator") << "labelSeparator" << false << "|"
                               << "|";
    QTest::newRow("image number") << "labelImageNumber" << false << "Image Number. "
                                  << "Image Number. ";
    QTest::newRow("device information") << "labelDeviceInfo" << true << "  B  "
                                        << "  B  ";
}

void TestLanguage::textsFollowLanguage()
{
    QFETCH(QString, widgetName);
    QFETCH(bool, connected);
    QFETCH(QString, english);
    QFETCH(QString, chinese);

    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonCh, QPushButton, window, "buttonCh");
    FIND_CHILD(buttonEn, QPushButton, window, "buttonEn");
    QWidget* widget = window.findChild<QWidget*>(widgetName);
    QVERIFY(widget);

    if (connected)
        window.slotDeviceConnect(true, 0, deviceInfo());
    QCOMPARE(textOf(widget), english);

    QTest::mouseClick(buttonCh, Qt::LeftButton);
    QCOMPARE(textOf(widget), chinese);

    QTest::mouseClick(buttonEn, Qt::LeftButton);
    QCOMPARE(textOf(widget), english);
}

void TestLanguage::fontsFollowLanguage_data()
{
    QTest::addColumn<QString>("widgetName");
    QTest::addColumn<QString>("englishFamily");
    QTest::addColumn<int>("englishWeight");
    QTest::addColumn<QString>("chineseFamily");
    QTest::addColumn<int>("chineseWeight");
    QTest::addColumn<int>("pixelSize");

    // A weight of -1: the family's own, not checked.
    QTest::newRow("connect") << "buttonConnect" << fontFamilyEn << -1 << fontFamilyCh << -1 << 21;
    QTest::newRow("export") << "buttonExport" << fontFamilyEn << -1 << fontFamilyCh << -1 << 21;
    QTest::newRow("export all") << "buttonExportAll" << fontFamilyEn << -1 << fontFamilyCh << -1 << 21;
    QTest::newRow("status") << "labelStatusText" << fontFamilyEn << -1 << fontFamilyCh << -1 << 20;
    // The active language's button is bold in its bold family.
    QTest::newRow("Chinese button") << "buttonCh" << fontFamilyCh << 50 << fontFamilyChBold << 75 << 20;
    QTest::newRow("English button") << "buttonEn" << fontFamilyEnBold << 75 << fontFamilyEn << 50 << 20;
    // Labels whose font never follows the language.
    QTest::newRow("device information")
        << "labelDeviceInfo" << fontFamilyEn << -1 << fontFamilyEn << -1 << 16;
    QTest::newRow("separator") << "labelSeparator" << fontFamilyEn << -1 << fontFamilyEn << -1 << 21;
    QTest::newRow("image number") << "labelImageNumber" << fontFamilyEn << -1 << fontFamilyEn << -1 << 15;
}

void TestLanguage::fontsFollowLanguage()
{
    QFETCH(QString, widgetName);
    QFETCH(QString, englishFamily);
    QFETCH(int, englishWeight);
    QFETCH(QString, chineseFamily);
    QFETCH(int, chineseWeight);
    QFETCH(int, pixelSize);

    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonCh, QPushButton, window, "buttonCh");
    FIND_CHILD(buttonEn, QPushButton, window, "buttonEn");
    QWidget* widget = window.findChild<QWidget*>(widgetName);
    QVERIFY(widget);

    auto check = [&](bool chinese) {
        const QFont font = widget->font();
        const QString language = chinese ? "Chinese" : "English";
        QVERIFY2(font.family() == (chinese ? chineseFamily : englishFamily),
                 qPrintable(language + ": " + font.family()));
        QCOMPARE(font.pixelSize(), pixelSize);
        const int weight = chinese ? chineseWeight : englishWeight;
        if (weight >= 0)
            QCOMPARE(font.weight(), weight);
        QVERIFY(!font.italic());
    };

    check(false);
    if (QTest::currentTestFailed())
        return;
    QTest::mouseClick(buttonCh, Qt::LeftButton);
    check(true);
    if (QTest::currentTestFailed())
        return;
    QTest::mouseClick(buttonEn, Qt::LeftButton);
    check(false);
}

void TestLanguage::geometryFollowsLanguage_data()
{
    QTest::addColumn<QString>("widgetName");
    QTest::addColumn<QRect>("english");
    QTest::addColumn<QRect>("chinese");

    // Title and logo take their pictures' sizes; the underline marks the active button.
    QTest::newRow("title") << "widgetTitle" << QRect(40, 30, 393, 27) << QRect(40, 30, 390, 26);
    QTest::newRow("underline") << "labelUnderline" << QRect(780, 113, 50, 3) << QRect(718, 113, 38, 3);
    QTest::newRow("logo") << "labelLogo" << QRect(785, 560, 114, 16) << QRect(785, 560, 114, 16);
}

void TestLanguage::geometryFollowsLanguage()
{
    QFETCH(QString, widgetName);
    QFETCH(QRect, english);
    QFETCH(QRect, chinese);

    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonCh, QPushButton, window, "buttonCh");
    FIND_CHILD(buttonEn, QPushButton, window, "buttonEn");
    QWidget* widget = window.findChild<QWidget*>(widgetName);
    QVERIFY(widget);

    QCOMPARE(widget->geometry(), english);
    QTest::mouseClick(buttonCh, Qt::LeftButton);
    QCOMPARE(widget->geometry(), chinese);
    QTest::mouseClick(buttonEn, Qt::LeftButton);
    QCOMPARE(widget->geometry(), english);
}

void TestLanguage::picturesFollowLanguage_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("logo");

    QTest::newRow("English") << false << ":/image/title_en"
                             << ":/image/ornlogo_en";
    QTest::newRow("Chinese") << true << ":/image/title_ch"
                             << ":/image/ornlogo_ch";
}

void TestLanguage::picturesFollowLanguage()
{
    QFETCH(bool, chinese);
    QFETCH(QString, title);
    QFETCH(QString, logo);

    // Otherwise the comparisons below could not tell the languages apart.
    QVERIFY(QImage(":/image/title_en") != QImage(":/image/title_ch"));
    QVERIFY(QImage(":/image/ornlogo_en") != QImage(":/image/ornlogo_ch"));

    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonCh, QPushButton, window, "buttonCh");
    FIND_CHILD(buttonEn, QPushButton, window, "buttonEn");
    FIND_CHILD(widgetTitle, QWidget, window, "widgetTitle");
    FIND_CHILD(labelLogo, QLabel, window, "labelLogo");

    // Through the other language and back, so a picture left over from before would show.
    QTest::mouseClick(chinese ? buttonEn : buttonCh, Qt::LeftButton);
    QTest::mouseClick(chinese ? buttonCh : buttonEn, Qt::LeftButton);

    QVERIFY(widgetTitle->autoFillBackground());
    const QImage expectedTitle = comparable(QImage(title));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QBrush brush = widgetTitle->palette().brush(group, QPalette::Window);
        QVERIFY2(comparable(brush.texture().toImage()) == expectedTitle,
                 qPrintable(QString("colour group %1").arg(group)));
    }
    QVERIFY(comparable(labelLogo->pixmap(Qt::ReturnByValue).toImage()) == comparable(QImage(logo)));
}

void TestLanguage::languageButtonsStoreTheSetting()
{
    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonCh, QPushButton, window, "buttonCh");
    FIND_CHILD(buttonEn, QPushButton, window, "buttonEn");
    const QString path = workDir.filePath(kSettingsFile);

    // Written to the disk by the time the click has been handled, in the general section.
    QTest::mouseClick(buttonCh, Qt::LeftButton);
    QStringList lines = QString::fromUtf8(fileContents(path)).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.contains("[General]"), qPrintable(lines.join('|')));
    QVERIFY2(lines.contains("language=chinesesimplified"), qPrintable(lines.join('|')));
    QCOMPARE(QSettings(path, QSettings::IniFormat).value("language").toString(),
             QString("chinesesimplified"));

    QTest::mouseClick(buttonEn, Qt::LeftButton);
    lines = QString::fromUtf8(fileContents(path)).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.contains("language=en"), qPrintable(lines.join('|')));
    QVERIFY2(!lines.contains("language=chinesesimplified"), qPrintable(lines.join('|')));
    QCOMPARE(QSettings(path, QSettings::IniFormat).value("language").toString(), QString("en"));
}

void TestLanguage::onlyTheExactValueMeansChinese_data()
{
    QTest::addColumn<bool>("writeKey");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("chinese");

    QTest::newRow("chinesesimplified") << true << "chinesesimplified" << true;
    QTest::newRow("other case") << true << "ChineseSimplified" << false;
    QTest::newRow("trailing blank") << true << "chinesesimplified " << false;
    QTest::newRow("leading blank") << true << " chinesesimplified" << false;
    QTest::newRow("empty") << true << "" << false;
    QTest::newRow("zh") << true << "zh" << false;
    QTest::newRow("en") << true << "en" << false;
    QTest::newRow("no key") << false << "" << false;
}

void TestLanguage::onlyTheExactValueMeansChinese()
{
    QFETCH(bool, writeKey);
    QFETCH(QString, value);
    QFETCH(bool, chinese);

    ScopedWorkDir workDir;
    const QString path = workDir.filePath(kSettingsFile);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(writeKey ? "language" : "other", value);
    }
    QCOMPARE(QSettings(path, QSettings::IniFormat).value("language").toString(),
             writeKey ? value : QString());
    const QByteArray written = fileContents(path);
    QVERIFY(!written.isEmpty());

    MainWindow window;
    FIND_CHILD(buttonExport, QPushButton, window, "buttonExport");
    FIND_CHILD(buttonConnect, QPushButton, window, "buttonConnect");
    FIND_CHILD(labelUnderline, QLabel, window, "labelUnderline");
    QCOMPARE(textOf(buttonExport), chinese ? QString::fromUtf8("导出") : QString("Export"));
    QCOMPARE(textOf(buttonConnect), chinese ? QString::fromUtf8("连接") : QString("Connect"));
    QCOMPARE(labelUnderline->geometry(), chinese ? QRect(718, 113, 38, 3) : QRect(780, 113, 50, 3));

    // Reading leaves the file as it was.
    QCOMPARE(fileContents(path), written);
}

void TestLanguage::outsideChangeShowsAtNextRefresh()
{
    ScopedWorkDir workDir;
    MainWindow window;
    FIND_CHILD(buttonConnect, QPushButton, window, "buttonConnect");
    FIND_CHILD(labelStatusText, QLabel, window, "labelStatusText");
    const QString path = workDir.filePath(kSettingsFile);
    QCOMPARE(textOf(buttonConnect), QString("Connect"));

    // Another program writes the file; the next connection report repaints in that language.
    auto writeFile = [&path](const QByteArray& contents) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(contents) == contents.size();
    };
    QVERIFY(writeFile("[General]\nlanguage=chinesesimplified\n"));
    window.slotDeviceConnect(false, 2, KaDeviceInfo());
    QCOMPARE(textOf(buttonConnect), QString::fromUtf8("连接"));
    QCOMPARE(textOf(labelStatusText), QString::fromUtf8("未连接"));

    QVERIFY(writeFile("[General]\nlanguage=en\n"));
    window.slotDeviceConnect(true, 0, deviceInfo());
    QCOMPARE(textOf(buttonConnect), QString("Disconnect"));
    QCOMPARE(textOf(labelStatusText), QString("Connected"));
}

void TestLanguage::switchWhileConnectedKeepsConnectionAndList()
{
    ScopedWorkDir workDir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, kWaitMs));
    FIND_CHILD(buttonCh, QPushButton, window, "buttonCh");
    FIND_CHILD(buttonEn, QPushButton, window, "buttonEn");
    FIND_CHILD(labelDeviceInfo, QLabel, window, "labelDeviceInfo");
    FIND_CHILD(labelImageNumber, QLabel, window, "labelImageNumber");
    FIND_CHILD(listWidget, QListWidget, window, "listWidget");
    QSignalSpy disconnectRequests(&window, &MainWindow::signalDisconnectDevice);

    window.slotDeviceConnect(true, 0, deviceInfo());
    window.slotDeviceGotImage(4, new QImage(16, 8, QImage::Format_RGB888));
    window.slotDeviceGotImage(9, new QImage(16, 8, QImage::Format_RGB888));

    for (QPushButton* button : {buttonCh, buttonEn}) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(listWidget->count(), 2);
        QCOMPARE(textOf(labelDeviceInfo), QString("  B  "));
        QCOMPARE(textOf(labelImageNumber), QString("Image Number. 9"));
    }
    QCOMPARE(disconnectRequests.count(), 0);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
