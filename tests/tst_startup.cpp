// Start-up: the program finds its fonts beside itself, logs each one in order, and keeps running
// when they are missing.
#include "app/fontfamilies.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int kStartTimeoutMs = 60000;

// The real program on the offscreen platform; it only ends through its window, so it is killed.
class Program : public QProcess
{
public:
    Program(const QString& path, const QString& workingDirectory)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.remove("QT_MESSAGE_PATTERN"); // the lines are compared by their text
        setProcessEnvironment(environment);
        setProcessChannelMode(QProcess::MergedChannels);
        setWorkingDirectory(workingDirectory);
        start(path, QStringList());
    }
    ~Program() override
    {
        kill();
        waitForFinished(kStartTimeoutMs);
    }

    // The complete font lines written so far, left in the buffer for the next look.
    QStringList fontLines()
    {
        const QByteArray output = peek(bytesAvailable());
        QStringList lines;
        for (const QString& line : QString::fromUtf8(output.left(output.lastIndexOf('\n') + 1)).split('\n')) {
            if (line.startsWith("fontId") || line.startsWith("msyh"))
                lines.append(line);
        }
        return lines;
    }
};

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

    void programLogsItsFontsFromAnotherWorkingDirectory()
    {
        QTemporaryDir workDir;
        Program program(folder + "/kaviewer", workDir.path());
        QVERIFY2(program.waitForStarted(kStartTimeoutMs), qPrintable(program.errorString()));

        QStringList expected;
        for (int id = 0; id < 3; ++id)
            expected << QString("fontId =  %1").arg(id) << QString("msyh =  \"%1\"").arg(families.at(id));
        QTRY_VERIFY_WITH_TIMEOUT(program.fontLines().size() >= 6, kStartTimeoutMs);
        QCOMPARE(program.fontLines(), expected);
    }

    void programWithoutFontsFolderKeepsRunning()
    {
        // The program carries its code and pictures, so a lone copy runs.
        QTemporaryDir binDir;
        const QString copy = binDir.filePath("kaviewer");
        QVERIFY(QFile::copy(folder + "/kaviewer", copy));
        Program program(copy, binDir.path());
        QVERIFY2(program.waitForStarted(kStartTimeoutMs), qPrintable(program.errorString()));

        const QStringList missing{"fontId =  -1", "msyh =  \"\""};
        QTRY_VERIFY_WITH_TIMEOUT(program.fontLines().size() >= 6, kStartTimeoutMs);
        QCOMPARE(program.fontLines(), missing + missing + missing);
        // The window comes after the fonts; a crash there would end the process at once.
        program.waitForFinished(2000);
        QVERIFY2(program.state() == QProcess::Running, program.readAll().constData());
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
