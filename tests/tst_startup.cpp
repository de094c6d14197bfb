// Start-up: the program finds its fonts beside itself, logs each one, and keeps running even
// when the fonts are missing.
#include "app/fontfamilies.h"
#include "support/debugcapture.h"
#include "support/scopedworkdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int kStartTimeoutMs = 60000;

QString programPath()
{
    return QCoreApplication::applicationDirPath() + "/kaviewer";
}

// One "fontId" line and its "msyh" line, as the program writes them for each font file.
struct FontLog
{
    QString idLine;
    QString familyLine;
};

// Pulls the family out of a line like `msyh =  "Roboto"`; a null text when the line has
// another form.
QString familyOf(const QString& familyLine)
{
    static const QRegularExpression form(QStringLiteral("^msyh =  \"(.*)\"$"));
    const QRegularExpressionMatch match = form.match(familyLine);
    return match.hasMatch() ? match.captured(1) : QString();
}

QList<FontLog> fontLogs(const QStringList& lines)
{
    QStringList fontLines;
    for (const QString& line : lines) {
        if (line.startsWith("fontId") || line.startsWith("msyh"))
            fontLines.append(line);
    }
    QList<FontLog> logs;
    for (int i = 0; i + 1 < fontLines.size(); i += 2)
        logs.append({fontLines.at(i), fontLines.at(i + 1)});
    return logs;
}

// The real program, run on the offscreen platform; killed at the end of the scope since it
// only ends through its window.
class RunningProgram
{
public:
    RunningProgram(const QString& program, const QString& workingDirectory)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        // The lines are read back by their text, so no custom message layout may apply.
        environment.remove("QT_MESSAGE_PATTERN");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingDirectory);
        process.setProgram(program);
        process.start();
    }

    ~RunningProgram()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kStartTimeoutMs);
        }
    }

    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The complete lines written so far; a line still being written is left for later.
    QStringList errorLines()
    {
        errorOutput += process.readAllStandardError();
        const QByteArray complete = errorOutput.left(errorOutput.lastIndexOf('\n') + 1);
        return QString::fromUtf8(complete).split('\n', Qt::SkipEmptyParts);
    }

    QList<FontLog> fontLogs() { return ::fontLogs(errorLines()); }

    QProcess process;

private:
    QByteArray errorOutput;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void programFindsFontsFromAnotherWorkingDirectory();
    void programStartsWithoutFontsFolder();
    void missingFontFileGivesEmptyFamily();
    void fontFamiliesComeFromTheProgramsFolder();
};

void TestStartup::initTestCase()
{
    QVERIFY2(QFileInfo(programPath()).isExecutable(), qPrintable(programPath() + " was not built"));
    const QString fontsDir = QCoreApplication::applicationDirPath() + "/fonts";
    QVERIFY2(QFileInfo(fontsDir).isDir(), qPrintable(fontsDir + " is missing"));
}

void TestStartup::programFindsFontsFromAnotherWorkingDirectory()
{
    QTemporaryDir workDir;
    QVERIFY(workDir.isValid());
    QVERIFY(QDir(workDir.path()).canonicalPath() !=
            QDir(QCoreApplication::applicationDirPath()).canonicalPath());

    RunningProgram program(programPath(), workDir.path());
    QVERIFY2(program.process.waitForStarted(kStartTimeoutMs), qPrintable(program.process.errorString()));

    QList<FontLog> logs;
    QTRY_VERIFY_WITH_TIMEOUT((logs = program.fontLogs()).size() >= 3, kStartTimeoutMs);
    QCOMPARE(logs.size(), 3);

    // Regular, Bold, Chinese: the ids count up in the order the files are registered.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(logs.at(i).idLine, QString("fontId =  %1").arg(i));
        QVERIFY2(!familyOf(logs.at(i).familyLine).isEmpty(), qPrintable(logs.at(i).familyLine));
    }
    QVERIFY(familyOf(logs.at(2).familyLine) != familyOf(logs.at(0).familyLine));

    QCOMPARE(program.process.state(), QProcess::Running);
}

void TestStartup::programStartsWithoutFontsFolder()
{
    // The program carries the project's code and its pictures, so a lone copy runs.
    QTemporaryDir binDir;
    QTemporaryDir workDir;
    QVERIFY(binDir.isValid() && workDir.isValid());
    const QString copy = binDir.filePath("kaviewer");
    QVERIFY(QFile::copy(programPath(), copy));
    QVERIFY(QFileInfo(copy).isExecutable());
    QVERIFY(!QFileInfo::exists(binDir.filePath("fonts")));

    RunningProgram program(copy, workDir.path());
    QVERIFY2(program.process.waitForStarted(kStartTimeoutMs), qPrintable(program.process.errorString()));

    QList<FontLog> logs;
    QTRY_VERIFY_WITH_TIMEOUT((logs = program.fontLogs()).size() >= 3, kStartTimeoutMs);
    QCOMPARE(logs.size(), 3);
    for (const FontLog& log : logs) {
        QCOMPARE(log.idLine, QString("fontId =  -1"));
        QCOMPARE(log.familyLine, QString("msyh =  \"\""));
    }

    // The window follows the fonts; a crash there would end the process shortly.
    QVERIFY2(!program.process.waitForFinished(5000), qPrintable(QString("exited with %1: %2")
                                                                    .arg(program.process.exitCode())
                                                                    .arg(program.errorLines().join('\n'))));
    QCOMPARE(program.process.state(), QProcess::Running);
}

void TestStartup::missingFontFileGivesEmptyFamily()
{
    DebugCapture capture;
    const QString family = loadFontFamily("/nonexistent.ttf");
    QVERIFY(family.isEmpty());
    QCOMPARE(capture.lines(), QStringList({"fontId =  -1", "msyh =  \"\""}));
}

void TestStartup::fontFamiliesComeFromTheProgramsFolder()
{
    // Another working directory: the font paths must not depend on it.
    ScopedWorkDir workDir;
    DebugCapture capture;
    loadFontFamilies();

    QVERIFY(!fontFamilyEn.isEmpty());
    QVERIFY(!fontFamilyEnBold.isEmpty());
    QVERIFY(!fontFamilyCh.isEmpty());
    QCOMPARE(fontFamilyChBold, fontFamilyCh);
    QVERIFY(fontFamilyCh != fontFamilyEn);

    const QList<FontLog> logs = fontLogs(capture.lines());
    QCOMPARE(logs.size(), 3);
    QCOMPARE(familyOf(logs.at(0).familyLine), fontFamilyEn);
    QCOMPARE(familyOf(logs.at(1).familyLine), fontFamilyEnBold);
    QCOMPARE(familyOf(logs.at(2).familyLine), fontFamilyCh);
    int previousId = -1;
    for (const FontLog& log : logs) {
        QVERIFY2(log.idLine.startsWith("fontId =  "), qPrintable(log.idLine));
        bool isNumber = false;
        const int id = log.idLine.mid(10).toInt(&isNumber);
        QVERIFY2(isNumber && id > previousId, qPrintable(log.idLine));
        previousId = id;
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
