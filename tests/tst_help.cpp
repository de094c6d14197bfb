// What helps a user: the shortcuts, the names a screen reader says, the help window in the
// window's language with the program's log, and Qt's own texts in Chinese.
#include "app/fontfamilies.h"
#include "support/shownwindow.h"
#include "ui/debuglog.h"
#include "ui/helpwindow.h"
#include "ui/linkfailuretext.h"

#include <QAccessible>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
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

    // The log keeps the newest lines as standard error shows them, and Copy takes them all; the
    // handler that was there before still gets every message.
    void logKeepsNewestLinesAndCopies()
    {
        passedOn.clear();
        for (int i = 0; i < DebugLog::capacity + 100; ++i)
            qDebug() << "line" << i;
        QCOMPARE(passedOn.size(), DebugLog::capacity + 100);
        QCOMPARE(passedOn.first(), QString("line 0"));
        const QStringList lines = DebugLog::lines();
        QCOMPARE(lines.size(), DebugLog::capacity);
        QCOMPARE(lines.first(), qFormatLogMessage(QtDebugMsg, QMessageLogContext(), "line 100"));
        QCOMPARE(lines.last(), qFormatLogMessage(QtDebugMsg, QMessageLogContext(), "line 5099"));

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
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
