// Start-up: the program finds its fonts beside itself from any working directory, logs each one in
// order, and keeps running when they are missing.
#include "ui/window/fontfamilies.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int kStartTimeoutMs = 60000;

// The complete font lines the program wrote so far, left in the buffer for the next look.
QStringList fontLines(QProcess& program)
{
    const QByteArray output = program.peek(program.bytesAvailable());
    return QString::fromUtf8(output.left(output.lastIndexOf('\n') + 1))
        .split('\n')
        .filter(QRegularExpression("^(fontId|msyh) "));
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    const QString folder = QCoreApplication::applicationDirPath();
    QStringList families; // Regular, Bold, Chinese, read straight from the files

private slots:
    void initTestCase()
    {
        for (const char* file : {"Roboto-Regular.ttf", "Roboto-Bold.ttf", "wenquanyidengkuanweimihei.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(folder + "/fonts/" + file);
            families.append(QFontDatabase::applicationFontFamilies(id).value(0));
            QVERIFY2(!families.last().isEmpty(), file);
        }
        QVERIFY(families.at(2) != families.at(0));
    }

    void programLogsItsFonts_data()
    {
        QTest::addColumn<bool>("withFonts");
        QTest::newRow("beside the program, from another working directory") << true;
        // The program carries its code and pictures, so a lone copy runs.
        QTest::newRow("lone copy without its fonts") << false;
    }
    void programLogsItsFonts()
    {
        QFETCH(bool, withFonts);
        QTemporaryDir workDir;
        QString path = folder + "/kaviewer";
        if (!withFonts) {
            path = workDir.filePath("kaviewer");
            QVERIFY(QFile::copy(folder + "/kaviewer", path));
        }
        // The program inherits the offscreen platform; the lines are compared by their text.
        // Qt's own log of font requests shows which families the window asks for.
        QProcess program;
        qunsetenv("QT_MESSAGE_PATTERN");
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false;qt.text.font.match.debug=true");
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setWorkingDirectory(workDir.path());
        program.start(path, QStringList());
        QVERIFY2(program.waitForStarted(kStartTimeoutMs), qPrintable(program.errorString()));

        QStringList expected;
        for (int id = 0; id < 3; ++id) {
            expected << QString("fontId =  %1").arg(withFonts ? id : -1)
                     << QString("msyh =  \"%1\"").arg(withFonts ? families.at(id) : QString());
        }
        QTRY_VERIFY_WITH_TIMEOUT(fontLines(program).size() >= 6, kStartTimeoutMs);
        QCOMPARE(fontLines(program), expected);
        // The window asks for the bundled families, so they were known before it was built.
        for (const QString& family : {families.at(0), families.at(2)}) {
            const QByteArray request = "family: " + family.toUtf8() + " [";
            QTRY_VERIFY_WITH_TIMEOUT(!withFonts || program.peek(program.bytesAvailable()).contains(request),
                                     kStartTimeoutMs);
        }
        // The window comes after the fonts; a crash there would end the process at once. The
        // program only ends through its window, so it is killed.
        program.waitForFinished(2000);
        QVERIFY2(program.state() == QProcess::Running, program.readAll().constData());
        program.kill();
        program.waitForFinished(kStartTimeoutMs);
    }

    void chineseBoldIsTheChineseFamily()
    {
        loadFontFamilies();
        QCOMPARE(QStringList({fontFamilyEn, fontFamilyEnBold, fontFamilyCh}), families);
        QCOMPARE(fontFamilyChBold, fontFamilyCh);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
