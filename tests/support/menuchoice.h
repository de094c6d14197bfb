#ifndef MENUCHOICE_H
#define MENUCHOICE_H

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

// Picks the entry of the context menu that opens next, or fails when it is missing or disabled. Runs in the
// menu's own event loop, once the menu is up.
inline void chooseFromMenu(const QString& entry)
{
    QTimer::singleShot(0, [entry] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text() == entry && action->isEnabled()) {
                menu->setActiveAction(action);
                return QTest::keyClick(menu, Qt::Key_Return);
            }
        // The menu would wait for a choice that cannot be made.
        menu->close();
        QFAIL(qPrintable("no entry \"" + entry + "\" to choose"));
    });
}

#endif // MENUCHOICE_H
