// What helps a user: the shortcuts, the names a screen reader says, the help window in the
// window's language with the program's log, and Qt's own texts in Chinese.
#include "core/debuglog.h"
#include "core/linkfailuretext.h"
#include "support/dialoganswer.h"
#include "support/shownwindow.h"
#include "ui/help/helpwindow.h"
#include "ui/window/fontfamilies.h"

#include <QAccessible>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

namespace {

const int kWaitMs = 20000;

QString accessibleText(QObject* object, QAccessible::Text kind)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(kind) : QString();
}

// What the handler before ours received, to show the messages still pass through unchanged.
QStringList passedOn;
QtMessageHandler outerHandler = nullptr;
void recordPassedOn(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    passedOn.append(message);
    outerHandler(type, context, message);
}

// Whether every line starts with the time it was logged.
bool allTimed(const QString& text)
{
    static const QRegularExpression untimed("^(?!\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ).",
                                            QRegularExpression::MultilineOption);
    return !untimed.match(text).hasMatch();
}

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void switchLanguage(ShownWindow& rig, bool chinese)
{
    QTest::mouseClick(rig.child<QPushButton>(chinese ? "buttonCh" : "buttonEn"), Qt::LeftButton);
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        outerHandler = qInstallMessageHandler(recordPassedOn);
        DebugLog::install();
        loadFontFamilies();
    }

    void shortcutsPressTheirButtons()
    {
        ShownWindow rig;
        QVERIFY(rig.exposed);
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window, kWaitMs));
        const QList<QPair<QKeySequence, const char*>> shortcuts{
            {QKeySequence("Ctrl+K"), "buttonConnect"},
            {QKeySequence("Ctrl+E"), "buttonExport"},
            {QKeySequence("Ctrl+Shift+E"), "buttonExportAll"},
            {QKeySequence("F1"), "buttonHelp"}};
        for (const auto& shortcut : shortcuts) {
            // With no pictures yet, the exports return at once.
            QSignalSpy clicked(rig.child<QPushButton>(shortcut.second), &QPushButton::clicked);
            QTest::keySequence(&rig.window, shortcut.first);
            QVERIFY2(clicked.count() == 1, shortcut.second);
        }
        auto* help = rig.window.findChild<HelpWindow*>();
        QVERIFY(help && help->isVisible());
        QTest::keyClick(help->findChild<QTextBrowser*>("browserControls"), Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    void everyControlIsNamedInItsLanguage()
    {
        ShownWindow rig;
        rig.deliver(5, QImage(40, 30, QImage::Format_RGB32));
        QMap<QString, QString> english;
        for (const bool chinese : {false, true}) {
            switchLanguage(rig, chinese);
            QCOMPARE(rig.window.windowTitle(),
                     chinese ? QString::fromUtf8("KA 图像查看器") : "KA Image Viewer");
            QVERIFY(!rig.window.windowIcon().isNull());
            QList<QWidget*> controls{rig.list(), rig.child("labelPreview"), rig.child("labelStatusIcon")};
            for (QPushButton* button : rig.window.findChildren<QPushButton*>())
                controls.append(button);
            for (QWidget* control : controls) {
                const QString name = accessibleText(control, QAccessible::Name);
                QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
                if (control != rig.child("labelStatusIcon"))
                    QVERIFY2(!accessibleText(control, QAccessible::Description).isEmpty(),
                             qPrintable(control->objectName()));
                // Only the language buttons keep their own names.
                if (chinese && !control->objectName().startsWith("buttonC") &&
                    control->objectName() != "buttonEn")
                    QVERIFY2(name != english.value(control->objectName()), qPrintable(name));
                english.insert(control->objectName(), name);
            }
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(rig.list());
            QVERIFY(list && list->childCount() >= 1);
            QCOMPARE(list->child(0)->text(QAccessible::Name),
                     chinese ? QString::fromUtf8("图片 5") : QString("Picture 5"));
        }
    }

    // The help window speaks the main window's language and follows its switches; Qt's own
    // texts (dialog buttons) go with it.
    void helpAndQtFollowTheLanguage()
    {
        ShownWindow rig;
        rig.window.slotButtonHelp();
        auto* help = rig.window.findChild<HelpWindow*>();
        QVERIFY(help);
        auto* tabs = help->findChild<QTabWidget*>("tabWidget");
        for (const bool chinese : {true, false, true}) {
            switchLanguage(rig, chinese);
            QCOMPARE(help->windowTitle(),
                     chinese ? QString::fromUtf8("KA 图像查看器帮助") : QString("KA Image Viewer Help"));
            QCOMPARE(tabs->tabText(1), chinese ? QString::fromUtf8("故障排除") : QString("Troubleshooting"));
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"),
                     chinese ? QString::fromUtf8("确定") : QString("OK"));
            // Every reason the window can show has its entry, named as the window names it.
            const QString troubleshooting =
                help->findChild<QTextBrowser*>("browserTroubleshooting")->toPlainText();
            for (int reason = KaLinkFailure::NoPort; reason <= KaLinkFailure::Lost; ++reason) {
                KaLinkFailure failure;
                failure.reason = KaLinkFailure::Reason(reason);
                QVERIFY2(troubleshooting.contains(LinkFailureText::brief(failure)),
                         qPrintable(troubleshooting));
            }
            const QString about = help->findChild<QTextBrowser*>("browserAbout")->toPlainText();
            QVERIFY2(about.contains(KA_VERSION) && about.contains(qVersion()), qPrintable(about));
        }
    }

    // The log keeps the newest lines as standard error shows them, after their time, and Copy takes
    // them all; the handler that was there before still gets every message.
    void logKeepsNewestLinesAndCopies()
    {
        passedOn.clear();
        for (int i = 0; i < DebugLog::capacity + 100; ++i)
            qDebug() << "line" << i;
        QCOMPARE(passedOn.size(), DebugLog::capacity + 100);
        QCOMPARE(passedOn.first(), QString("line 0"));
        const QStringList lines = DebugLog::lines();
        QCOMPARE(lines.size(), DebugLog::capacity);
        // After the time, hh:mm:ss.zzz and a space.
        QCOMPARE(lines.first().mid(13), qFormatLogMessage(QtDebugMsg, QMessageLogContext(), "line 100"));
        QCOMPARE(lines.last().mid(13), qFormatLogMessage(QtDebugMsg, QMessageLogContext(), "line 5099"));

        ShownWindow rig;
        rig.window.slotButtonHelp();
        auto* help = rig.window.findChild<HelpWindow*>();
        auto* log = help->findChild<QPlainTextEdit*>("textLog");
        qWarning("a later warning");
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().endsWith("a later warning"), kWaitMs);
        QCOMPARE(log->blockCount(), DebugLog::capacity);
        help->slotCopyLog();
        QCOMPARE(QGuiApplication::clipboard()->text(), log->toPlainText() + '\n');
    }

    // New lines leave a selection and a view scrolled up alone. Each line has its local time on
    // screen and in the saved file; standard error stays without it. Save adds the suffix and asks
    // before replacing.
    void logAppendsTimedLinesAndSaves()
    {
        ShownWindow rig;
        rig.window.slotButtonHelp();
        auto* help = rig.window.findChild<HelpWindow*>();
        auto* log = help->findChild<QPlainTextEdit*>("textLog");
        for (int i = 0; i < 200; ++i)
            qDebug() << "filler" << i;
        passedOn.clear();
        const QTime before = QTime::currentTime();
        qDebug("first mark");
        const QTime after = QTime::currentTime();
        QVERIFY(passedOn.contains("first mark"));
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().endsWith(" first mark"), kWaitMs);
        const QString line = log->document()->lastBlock().text();
        const QTime logged = QTime::fromString(line.left(12), "hh:mm:ss.zzz");
        QCOMPARE(line.mid(12), QString(" first mark"));
        QVERIFY2((before <= logged && logged <= after) || after < before, qPrintable(line)); // midnight
        QVERIFY(allTimed(log->toPlainText()));
        // Filled while its tab was hidden, the view opens at the newest line.
        help->findChild<QTabWidget*>("tabWidget")->setCurrentIndex(3);
        QScrollBar* bar = log->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());

        QTextCursor selection(log->document()->lastBlock());
        selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        log->setTextCursor(selection);
        bar->setValue(bar->maximum() / 2);
        const QString top = log->cursorForPosition(QPoint(1, 1)).block().text();
        qDebug("second mark");
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().endsWith(" second mark"), kWaitMs);
        QCOMPARE(log->textCursor().selectedText(), line);
        QCOMPARE(log->cursorForPosition(QPoint(1, 1)).block().text(), top);

        const QString saved = rig.workDir.filePath("saved.txt");
        for (const bool exists : {false, true}) {
            DialogAnswer answer(rig.workDir.filePath("saved"));
            help->slotSaveLog();
            QCOMPARE(answer.suggestions(), QStringList("kaviewer-log.txt"));
            QCOMPARE(answer.strays().value(0).contains("saved.txt already exists"), exists);
            const QString text = readAll(saved);
            QVERIFY2(text.contains('\n' + line + '\n') && allTimed(text) && !text.contains("between saves"),
                     qPrintable(text.right(300)));
            qDebug("between saves");
        }
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
