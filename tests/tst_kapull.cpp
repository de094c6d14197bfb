// kapull against the device simulator over a real pseudo-terminal: in-process through runKapull,
// which sees only the ports each test offers, and as the program itself for what only a process
// shows (its language, a signal, a kill).
#include "core/originalpicture.h"
#include "core/picturearchive.h"
#include "device/portlist.h"
#include "devicesimulator.h"
#include "kapull/kapullmain.h"
#include "kapull/portlisting.h"
#include "simimage.h"
#include "support/scopedworkdir.h"

#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QtTest>
#include <csignal>
#include <unistd.h>

namespace {

const int kWaitMs = 60000;
const QString kBridge = QStringLiteral("CP2102 USB to UART Bridge Controller");

// Noise, which PNG cannot squeeze: the files get the size of their pixels.
SimImage noise(int index, int width, int height, int bpp)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), width * 3 / 4);
    return SimImage::fromImage(index, image, bpp);
}

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run pull(const QStringList& arguments)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runKapull(QStringList{"kapull"} + arguments, out, err, false);
    return run;
}

QStringList pictureFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString kapullProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/kapull");
}

} // namespace

class TstKapull : public QObject
{
    Q_OBJECT

    DeviceSimulator* sim = nullptr;

private slots:
    void initTestCase() { qRegisterMetaType<QProcess::ExitStatus>(); }
    void init()
    {
        sim = new DeviceSimulator(this);
        QVERIFY2(sim->openPty(), qPrintable(sim->errorString()));
        setPortListProvider([this] { return PortList{{sim->portName(), kBridge}}; });
    }
    void cleanup()
    {
        setPortListProvider({});
        delete sim;
    }

    // Found as the window finds it, every bytes per pixel exact with its text; again adds nothing,
    // another picture under a taken number is kept beside it.
    void storedPicturesAreKeptOnce()
    {
        ScopedWorkDir work;
        const QList<SimImage> sent{SimImage::pattern(1, 33, 7, 1), SimImage::pattern(2, 40, 30, 2),
                                   SimImage::pattern(3, 17, 5, 3)};
        sim->setStoredImages(sent);
        const Run first = pull({"--out", work.path()});
        QCOMPARE(first.status, 0);
        QVERIFY2(first.out.startsWith("KA-100\nSN 0001 FW 1.0\n1024 images\nok\n"), qPrintable(first.out));
        QVERIFY2(first.out.contains("Image 1: 33x7, 1 byte per pixel, Image_1.png\n"), qPrintable(first.out));
        QVERIFY2(first.out.contains("Image 3: 17x5, 3 bytes per pixel, Image_3.png\n"),
                 qPrintable(first.out));
        QCOMPARE(pictureFiles(work.path()), (QStringList{"Image_1.png", "Image_2.png", "Image_3.png"}));
        for (const SimImage& image : sent) {
            QImageReader reader(work.filePath(QStringLiteral("Image_%1.png").arg(image.index)));
            const QImage file = reader.read();
            const QImage original = originalPicture(image.toQImage());
            QCOMPARE(file.convertToFormat(original.format()), original);
            QCOMPARE(file.text("Device line 2"), QStringLiteral("SN 0001 FW 1.0"));
            QCOMPARE(file.text("Device line 4"), QStringLiteral("ok"));
            QCOMPARE(file.text("Picture number"), QString::number(image.index));
            QCOMPARE(file.text("Bytes per pixel"), QString::number(image.bpp));
            const QString arrived = file.text("Arrived");
            QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$")
                         .match(arrived)
                         .hasMatch(),
                     qPrintable(arrived));
            QVERIFY(qAbs(QDateTime::fromString(arrived, Qt::ISODate).secsTo(QDateTime::currentDateTime())) <
                    3600);
        }

        const Run again = pull({"--port", sim->portName(), "--out", work.path()});
        QCOMPARE(again.status, 0);
        QCOMPARE(again.out.count("already there"), 3);
        QCOMPARE(pictureFiles(work.path()).size(), 3);

        sim->setStoredImages({SimImage::pattern(2, 40, 30, 3), SimImage::pattern(2, 8, 8, 1)});
        const Run changed = pull({"--out", work.path()});
        QCOMPARE(changed.status, 0);
        QVERIFY2(changed.out.contains("Image_2_2.png\n") && changed.out.contains("Image_2_3.png\n"),
                 qPrintable(changed.out));
        QCOMPARE(pictureFiles(work.path()).size(), 5);
    }

    void cutOffPictureIsNamedNotWritten()
    {
        ScopedWorkDir work;
        sim->setStoredImages({SimImage::pattern(4, 20, 20, 3), SimImage::pattern(5, 20, 20, 3)});
        sim->setCutShort(100, 1);
        const Run run = pull({"--out", work.path()});
        QCOMPARE(run.status, 5);
        QVERIFY2(run.err.contains("Image 5 was cut off after 100 of 1200 bytes"), qPrintable(run.err));
        QCOMPARE(pictureFiles(work.path()), QStringList{"Image_4.png"});
    }

    void currentPictureIsWrittenLosslessly()
    {
        ScopedWorkDir work;
        const SimImage current = SimImage::pattern(0, 31, 9, 2);
        sim->setCurrentImage(current);
        const Run run = pull({"--current", work.filePath("now.jpg")});
        QCOMPARE(run.status, 0);
        // PNG whatever the name says.
        QImageReader reader(work.filePath("now.jpg"));
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.read().convertToFormat(QImage::Format_RGB888), originalPicture(current.toQImage()));
        QTRY_COMPARE_WITH_TIMEOUT(sim->commands(), (QList<QByteArray>{"AT_INFO*", "AT_GCI**", "AT_DIS**"}),
                                  kWaitMs);
    }

    void deviceFolderNameIsSafe_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("parent") << "../../x";
        QTest::newRow("dots") << "..";
        QTest::newRow("slashes") << "/etc/passwd";
        QTest::newRow("backslashes") << "..\\..\\Windows\\x";
        QTest::newRow("drive") << "C:\\x";
        QTest::newRow("empty") << "";
        QTest::newRow("reserved") << "com1.txt";
        QTest::newRow("long") << QString(300, 'a');
    }
    void deviceFolderNameIsSafe()
    {
        QFETCH(QString, line);
        const QString name = PictureArchive::deviceFolderName({"KA-100", line, "", ""});
        QVERIFY2(!name.isEmpty() && name.size() <= 64, qPrintable(name));
        QVERIFY2(!name.contains('/') && !name.contains('\\') && !name.contains(':') && !name.startsWith('.'),
                 qPrintable(name));
        QVERIFY2(!QRegularExpression("^(con|prn|aux|nul|com\\d|lpt\\d)(\\.|$)",
                                     QRegularExpression::CaseInsensitiveOption)
                      .match(name)
                      .hasMatch(),
                 qPrintable(name));
        QCOMPARE(QDir::cleanPath("/base/" + name), "/base/" + name);
    }

    // Every reason a run ends, each with its status and the window's words for it.
    void exitStatus_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("commands"); // what the device received
        QTest::newRow("usage") << "usage" << 1 << "Give exactly one of"
                               << "";
        QTest::newRow("no device") << "no device" << 2 << "No device found"
                                   << "";
        QTest::newRow("no such port") << "no such port" << 3 << "Port is gone"
                                      << "";
        QTest::newRow("port held") << "port held" << 3 << "Port in use"
                                   << "";
        QTest::newRow("silent") << "silent" << 4 << "No answer"
                                << "AT_INFO*";
        QTest::newRow("hang-up") << "hang-up" << 5 << "Connection lost"
                                 << "AT_INFO* AT_GSI**";
        QTest::newRow("folder is a file") << "folder is a file" << 6 << "Image 1 could not be written"
                                          << "AT_INFO* AT_GSI** AT_DIS**";
    }
    void exitStatus()
    {
        QFETCH(QString, fault);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QFETCH(QString, commands);
        ScopedWorkDir work;
        sim->setStoredImages({SimImage::pattern(1, 64, 64, 3)});
        QStringList arguments{"--port", sim->portName(), "--out", work.filePath("out")};
        QSerialPort holder(sim->portName());
        if (fault == "usage")
            arguments << "--current"
                      << "x.png";
        if (fault == "no device") {
            arguments = QStringList{"--out", work.path()};
            setPortListProvider([] { return PortList{{"/dev/ttyS0", "ttyS0"}}; });
        }
        if (fault == "no such port")
            arguments[1] = work.filePath("ttyKA_missing");
        if (fault == "port held")
            QVERIFY(holder.open(QIODevice::ReadWrite));
        sim->setSilent(fault == "silent");
        if (fault == "hang-up") {
            sim->setCutShort(100);
            connect(sim, &DeviceSimulator::commandReceived, sim, [this](const QByteArray& command) {
                if (command == "AT_GSI**")
                    connect(sim, &DeviceSimulator::outputDrained, sim, &DeviceSimulator::hangUp);
            });
        }
        if (fault == "folder is a file") {
            QFile file(work.filePath("out"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            arguments[3] = work.filePath("out/sub");
        }
        const Run run = pull(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        // Goodbye is said where the link still stands.
        QTRY_COMPARE_WITH_TIMEOUT(QString(sim->commands().join(' ')), commands, kWaitMs);
        QCOMPARE(pictureFiles(work.filePath("out")).filter("Image_").size(), 0);
    }

    void listShowsEveryPortOpeningNone()
    {
        setPortListProvider([this] {
            return PortList{{sim->portName(), kBridge}, {"ttyKA9", "USB Serial"}};
        });
        const Run run = pull({"--list"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 sim->portName() + '\t' + kBridge + "\t-\t-\t-\tdevice\nttyKA9\tUSB Serial\t-\t-\t-\t-\n");
        QVERIFY(!sim->isPeerOpen());
        ListedPort ftdi;
        ftdi.hasUsbId = true;
        ftdi.vendorId = 0x403;
        ftdi.productId = 0xEA60;
        QCOMPARE(ftdi.usbId(), QStringLiteral("0403:ea60"));
    }

    // A full file system: the reason and status 6, and no file begun is left behind.
    void fullDiskLeavesNothingPartial()
    {
        if (geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root");
        ScopedWorkDir work;
        const QString disk = work.filePath("disk");
        QVERIFY(QDir().mkpath(disk));
        QCOMPARE(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk}), 0);
        sim->setStoredImages({noise(1, 60, 60, 3), noise(2, 200, 200, 3)});
        const Run run = pull({"--out", disk});
        const QStringList left = pictureFiles(disk);
        QProcess::execute("umount", {disk});
        QCOMPARE(run.status, 6);
        QVERIFY2(run.err.contains("Image 2 could not be written") && run.err.contains("No space left"),
                 qPrintable(run.err));
        QCOMPARE(left, QStringList{"Image_1.png"});
    }

    // The program itself: a signal still says goodbye; the system's language gives the reason.
    void programStopsCleanly()
    {
        ScopedWorkDir work;
        sim->setPaced(true);
        sim->setStoredImages({SimImage::pattern(1, 400, 400, 3)});
        QProcess program;
        QSignalSpy finished(&program, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
        connect(sim, &DeviceSimulator::commandReceived, &program, [&program](const QByteArray& command) {
            if (command == "AT_GSI**")
                ::kill(pid_t(program.processId()), SIGTERM);
        });
        program.start(kapullProgram(), {"--port", sim->portName(), "--out", work.path()});
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(program.exitCode(), 128 + SIGTERM);
        QTRY_COMPARE_WITH_TIMEOUT(sim->commands().last(), QByteArray("AT_DIS**"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!sim->isPeerOpen(), kWaitMs);

        QProcess chinese;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "zh_CN.UTF-8");
        chinese.setProcessEnvironment(environment);
        chinese.start(kapullProgram(), {"--port", work.filePath("missing"), "--out", work.path()});
        QVERIFY(chinese.waitForFinished(kWaitMs));
        QCOMPARE(chinese.exitCode(), 3);
        QVERIFY2(QString::fromUtf8(chinese.readAllStandardError()).contains(QStringLiteral("端口已不存在")),
                 "no Chinese reason");
    }

    // Killed while it writes: every file under a picture's name is whole.
    void killLeavesOnlyWholePictures()
    {
        ScopedWorkDir work;
        QList<SimImage> sent;
        for (int i = 1; i <= 12; ++i)
            sent << noise(i, 300, 300, 3);
        sim->setStoredImages(sent);
        QProcess program;
        QSignalSpy finished(&program, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
        QByteArray out;
        connect(&program, &QProcess::readyReadStandardOutput, &program, [&program, &out] {
            out += program.readAllStandardOutput();
            if (out.contains("Image 3:"))
                program.kill();
        });
        program.start(kapullProgram(), {"--port", sim->portName(), "--out", work.path(), "--quiet"});
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        const QStringList files = pictureFiles(work.path()).filter(QRegularExpression("^Image_\\d+\\.png$"));
        QVERIFY(files.size() >= 3);
        for (const QString& name : files) {
            const int index = name.mid(6).chopped(4).toInt();
            QCOMPARE(QImage(work.filePath(name)).convertToFormat(QImage::Format_RGB888),
                     originalPicture(sent.at(index - 1).toQImage()));
        }
    }
};

QTEST_GUILESS_MAIN(TstKapull)
#include "tst_kapull.moc"
