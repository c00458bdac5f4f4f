#include "board/frmMain.h"
#include "globals/modGlobals.h"
#include "platform/help/HelpViewer.h"
#include "support/BoardProbe.h"
#include "support/ModalAnswer.h"
#include "support/TestBoard.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

// The board's menus and keys, and what each command opens or does.
class TestMenus : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBoard> t;

    QAction *action(const char *name) { return t->board->menuBar()->findChild<QAction *>(QLatin1String(name)); }

    // Runs command and returns the object name and owner of the modal window it opened.
    QPair<QString, QWidget *> modalOpenedBy(const std::function<void()> &command)
    {
        QPair<QString, QWidget *> seen;
        const ModalAnswer answer([&](QWidget &modal) {
            seen = {modal.objectName(), modal.parentWidget()};
            QTest::keyClick(&modal, Qt::Key_Escape);
            if (modal.isVisible())  // the speed window ignores Escape
                modal.close();
        });
        command();
        return seen;
    }

private slots:
    void init()
    {
        modGlobals::giSpeed = 1;
        t = std::make_unique<TestBoard>();
        t->board->show();
        QApplication::setActiveWindow(t->board.get());
    }
    void cleanup() { t.reset(); }

    void menusHaveTheirCaptionsKeysAndOrder()
    {
        // Two menus, every caption with its access key, F2 and F1, and the separators.
        const auto menus = t->board->menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Game"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Help"));
        QStringList game, help;
        for (QAction *a : menus[0]->menu()->actions())
            game << (a->isSeparator() ? QStringLiteral("-") : a->text() + QLatin1Char(' ') + a->shortcut().toString());
        for (QAction *a : menus[1]->menu()->actions())
            help << (a->isSeparator() ? QStringLiteral("-") : a->text() + QLatin1Char(' ') + a->shortcut().toString());
        QCOMPARE(game, (QStringList{"&New Game F2", "-", "&Adjust Speed... ", "&High Scores... ", "-",
                                    "E&xit Tessaly "}));
        QCOMPARE(help, (QStringList{"&Contents... F1", "-", "&Brindlecove Games Web Site... ", "&About Tessaly "}));
        QCOMPARE(t->board->windowTitle(), QStringLiteral("Tessaly"));
    }

    void f2StartsAGameFromAnyState()
    {
        // F2 starts a new game when idle, during playback and in the player's turn.
        QTest::keyClick(t->board.get(), Qt::Key_F2);
        QCOMPARE(t->probe->sequence().size(), std::size_t(1));
        t->board->tmrShowLights_Timer();
        t->probe->setGame(3, 1);
        QTest::keyClick(t->board.get(), Qt::Key_F2);
        QCOMPARE(t->probe->sequence().size(), std::size_t(1));
        QVERIFY(t->probe->tmrShowLights().isActive());
    }

    void newGameReadiesTheSoundBeforeItsFirstTone()
    {
        // The first light's tone must not wait for a sound device waking from rest.
        QCOMPARE(t->sound.prepares(), 0);
        QTest::keyClick(t->board.get(), Qt::Key_F2);
        QCOMPARE(t->sound.prepares(), 1);
        QCOMPARE(t->sound.plays().size(), 0);
    }

    void helpContentsOpensOneHelperAndClosingQuitsIt_data()
    {
        QTest::addColumn<bool>("opened");
        QTest::newRow("F1, then Help > Contents") << true;
        // A game closed without ever opening the help makes no help call at all.
        QTest::newRow("help never opened") << false;
    }
    void helpContentsOpensOneHelperAndClosingQuitsIt()
    {
        // F1 twice: one help object, two contents calls on the help file beside the
        // program; closing the board sends quit for the same file.
        QFETCH(bool, opened);
        if (opened) {
            QTest::keyClick(t->board.get(), Qt::Key_F1);
            action("mnuHelpContents")->trigger();
        }
        QCOMPARE(t->helpViewer.calls.size(), opened ? 2 : 0);
        for (const auto &call : t->helpViewer.calls) {
            QCOMPARE(call.command, HelpViewer::HELP_CONTENTS);
            QVERIFY(call.helpFile.endsWith("/Tessaly.hlp"));
            QCOMPARE(call.owner.data(), t->board.get());
        }
        t->board->close();
        QCOMPARE(t->store.writes.size(), 12);
        QCOMPARE(t->helpViewer.calls.size(), opened ? 3 : 0);
        if (opened) {
            QCOMPARE(t->helpViewer.calls.last().command, HelpViewer::HELP_QUIT);
            QCOMPARE(t->helpViewer.calls.last().helpFile, t->helpViewer.calls.first().helpFile);
        }
    }

    void webSiteOpensThePageAndLeavesTheGameAlone()
    {
        // The web page opens each time through the shell, and the game goes on.
        t->probe->setGame(2, 0);
        const auto sequence = t->probe->sequence();
        action("mnuHelpBCGames")->trigger();
        action("mnuHelpBCGames")->trigger();
        QCOMPARE(t->shell.executed.size(), 2);
        QCOMPARE(t->shell.executed[0].verb, QByteArray("open"));
        QVERIFY(t->shell.executed[0].file.startsWith("http://"));
        QVERIFY(t->shell.executed[0].file.endsWith("/games/index.htm"));
        QCOMPARE(t->probe->sequence(), sequence);
        QCOMPARE(t->probe->playerIndex(), 0);
        QVERIFY(t->probe->lightsEnabled());
    }

    void menuWindowsAreModalAndOwnedByTheBoard_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("speed") << "mnuGameSpeed" << "frmSpeed";
        QTest::newRow("scores") << "mnuGameScores" << "frmScores";
        QTest::newRow("about") << "mnuHelpAbout" << "frmAbout";
    }
    void menuWindowsAreModalAndOwnedByTheBoard()
    {
        // Each item shows its window modally over the board and returns when it closes,
        // while the playback timer goes on behind it.
        QFETCH(QString, item);
        QFETCH(QString, window);
        t->board->mnuGameNew_Click();
        const auto seen = modalOpenedBy([&] { action(qPrintable(item))->trigger(); });
        QCOMPARE(seen.first, window);
        QCOMPARE(seen.second, t->board.get());
        QVERIFY(t->probe->tmrShowLights().isActive());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void aSecondStartBringsBackTheMinimizedBoard()
    {
        // Started again, the game shows its board, not a second one: restored and active.
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        t->board->showMinimized();
        t->board->bringToFront();
        QVERIFY(!t->board->isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), t->board.get());
    }

    void exitClosesTheBoardAndSavesOnce()
    {
        // Exit and the close button do the same: the twelve values are written once.
        action("mnuGameExit")->trigger();
        QVERIFY(!t->board->isVisible());
        QCOMPARE(t->store.writes.size(), 12);
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
