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

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

// The real program on the offscreen platform; it only ends through its window, so it is killed.
class RunningProgram
{
public:
    RunningProgram(const QString& program, const QString& workingDirectory)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        // The lines are compared by their text.
        environment.remove("QT_MESSAGE_PATTERN");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingDirectory);
        process.start(program, QStringList());
    }
    ~RunningProgram()
    {
        process.kill();
        process.waitForFinished(kStartTimeoutMs);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The complete font lines written so far.
    QStringList fontLines()
    {
        output += process.readAllStandardError();
        QStringList lines;
        for (const QString& line : QString::fromUtf8(output.left(output.lastIndexOf('\n') + 1)).split('\n')) {
            if (line.startsWith("fontId") || line.startsWith("msyh"))
                lines.append(line);
        }
        return lines;
    }

    QProcess process;

private:
    QByteArray output;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void programLogsItsFontsFromAnotherWorkingDirectory();
    void programWithoutFontsFolderKeepsRunning();
    void chineseBoldIsTheChineseFamily();

private:
    QStringList families; // Regular, Bold, Chinese, read straight from the files
};

void TestStartup::initTestCase()
{
    for (const char* file : {"Roboto-Regular.ttf", "Roboto-Bold.ttf", "wenquanyidengkuanweimihei.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(programFolder() + "/fonts/" + file);
        families.append(QFontDatabase::applicationFontFamilies(id).value(0));
        QVERIFY2(!families.last().isEmpty(), file);
    }
    QVERIFY(families.at(2) != families.at(0));
}

void TestStartup::programLogsItsFontsFromAnotherWorkingDirectory()
{
    QTemporaryDir workDir;
    RunningProgram program(programFolder() + "/kaviewer", workDir.path());
    QVERIFY2(program.process.waitForStarted(kStartTimeoutMs), qPrintable(program.process.errorString()));

    QStringList expected;
    for (int id = 0; id < 3; ++id)
        expected << QString("fontId =  %1").arg(id) << QString("msyh =  \"%1\"").arg(families.at(id));
    QTRY_VERIFY_WITH_TIMEOUT(program.fontLines().size() >= 6, kStartTimeoutMs);
    QCOMPARE(program.fontLines(), expected);
}

void TestStartup::programWithoutFontsFolderKeepsRunning()
{
    // The program carries its code and pictures, so a lone copy runs.
    QTemporaryDir binDir;
    const QString copy = binDir.filePath("kaviewer");
    QVERIFY(QFile::copy(programFolder() + "/kaviewer", copy));
    RunningProgram program(copy, binDir.path());
    QVERIFY2(program.process.waitForStarted(kStartTimeoutMs), qPrintable(program.process.errorString()));

    QTRY_VERIFY_WITH_TIMEOUT(program.fontLines().size() >= 6, kStartTimeoutMs);
    QCOMPARE(program.fontLines(), QStringList({"fontId =  -1", "msyh =  \"\"", "fontId =  -1", "msyh =  \"\"",
                                               "fontId =  -1", "msyh =  \"\""}));
    // The window comes after the fonts; a crash there would end the process at once.
    QVERIFY2(!program.process.waitForFinished(2000), qPrintable(program.process.readAllStandardError()));
}

void TestStartup::chineseBoldIsTheChineseFamily()
{
    loadFontFamilies();
    QCOMPARE(QStringList({fontFamilyEn, fontFamilyEnBold, fontFamilyCh}), families);
    QCOMPARE(fontFamilyChBold, fontFamilyCh);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
