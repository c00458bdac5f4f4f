#include "support/TestFiles.h"
#include "support/XSession.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QRect gameOverLabel(20, 416, 121, 33);
const QRect levelCounter(344, 412, 73, 29);

} // namespace

// The real game under Xvfb, played with the real mouse and keyboard and watched in
// the window's pixels: a round by mouse, whole games by keys, and what New Game and
// dialogs do when they come while the board is busy.
class TestBoardEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void aGameStartsFromARealClickAndTheLightsTakeAPress()
    {
        // One round played with the real mouse, watched in the window's pixels.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        QCOMPARE(game.litLights(idle, idle), 0);

        game.click(XSession::newGameButton);
        int shown = -1;
        QTRY_VERIFY_WITH_TIMEOUT((shown = game.onlyLitLight(idle)) >= 0, 3000);
        const QImage counterAtZero = game.grabBoard().copy(levelCounter);
        QVERIFY(counterAtZero != idle.copy(levelCounter));
        QTRY_COMPARE_WITH_TIMEOUT(game.litLights(game.grabBoard(), idle), 0, 3000);

        // The player's turn: a press on the shown light lights it at the release.
        const QPoint centre = game.lightCentre(shown);
        QTest::qWait(400);
        game.click(centre);
        QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), shown, 2000);
        // The round is complete: the level counter changes from 00 to 01.
        QTRY_VERIFY_WITH_TIMEOUT(game.grabBoard().copy(levelCounter) != counterAtZero, 2000);

        QCOMPARE(game.closeByMenu(), 0);
    }

    void roundsArePlayedWithTheKeys_data()
    {
        // Per round, the keys of lights 0 to 3 as xdotool names them.
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QList<QStringList>>("rounds");
        QTest::addColumn<bool>("numLockLastRound");
        QTest::addColumn<bool>("lost");
        const QStringList topRow{"1", "2", "3", "4"};
        // F2, then each round repeated with keys: 1 to 4, the keypad with Num Lock off,
        // the keypad with Num Lock on; a wrong key ends the game and its score is kept.
        QTest::newRow("a whole game, top row and keypad")
            << "us"
            << QList<QStringList>{topRow, {"KP_Home", "KP_Prior", "KP_End", "KP_Next"}, {"KP_7", "KP_9", "KP_1", "KP_3"}}
            << true << true;
        // On a French AZERTY layout the top-row keys 1 to 4 give & é " ' without Shift;
        // pressed so, they still play the lights, known by where they are.
        const QStringList azerty{"ampersand", "eacute", "quotedbl", "apostrophe"};
        QTest::newRow("unshifted top row of a layout with shifted digits")
            << "fr" << QList<QStringList>{azerty, azerty} << false << false;
    }
    void roundsArePlayedWithTheKeys()
    {
        // Each round's playback repeated key by key, each light lit by its key.
        QFETCH(QString, layout);
        QFETCH(QList<QStringList>, rounds);
        QFETCH(bool, numLockLastRound);
        QFETCH(bool, lost);
        QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {layout}), 0);
        const auto restore = qScopeGuard([] { QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("us")}); });
        QTemporaryDir config;
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        game.focusBoard();
        game.keys({QStringLiteral("F2")});
        QImage counter = idle.copy(levelCounter);
        for (int round = 0; round < rounds.size(); ++round) {
            const QList<int> shown = game.watchPlayback(idle, round + 1);
            QCOMPARE(shown.size(), round + 1);
            const bool numLock = numLockLastRound && round == rounds.size() - 1;
            if (numLock)
                game.keys({QStringLiteral("Num_Lock")});
            for (const int light : shown) {
                game.keys({rounds[round][light]});
                QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), light, 2000);
                QTRY_COMPARE_WITH_TIMEOUT(XSession::litLights(game.grabBoard(), idle), 0, 2000);
            }
            if (numLock)
                game.keys({QStringLiteral("Num_Lock")});
            QTRY_VERIFY_WITH_TIMEOUT(game.grabBoard().copy(levelCounter) != counter, 2000);
            counter = game.grabBoard().copy(levelCounter);
        }
        if (lost) {
            const QList<int> last = game.watchPlayback(idle, 4);
            QCOMPARE(last.size(), 4);
            game.keys({rounds[0][(last[0] + 1) % 4]});
            QVERIFY2(game.answerWithEnter(XSession::nameWindow) && game.answerWithEnter(XSession::scoresWindow),
                     "a game lost by a key asked for no name");
        }
        QCOMPARE(game.closeByMenu(), 0);
        if (lost)
            QVERIFY2(TestFiles::read(TestFiles::settingsFile(config.path())).contains("Score1=3"),
                     "the score of the keyboard game was not stored");
    }

    void newGameInTheHoldOfALosingClickComesAfterItsScore()
    {
        // F2 right after the click that loses: Game Over, the name and the scores come
        // first, then the new game plays.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        const int shown = game.newGameByClick(idle);
        QVERIFY(shown >= 0);
        XSession::run(game.pointerTo(XSession::lightCentre((shown + 1) % 4))
                      << QStringLiteral("click") << QStringLiteral("1") << QStringLiteral("key") << QStringLiteral("F2"));
        QVERIFY2(!game.waitForDialog(XSession::nameWindow).id.isEmpty(),
                 "the lost game's score was dropped: no name was asked for");
        QCOMPARE(game.grabBoard().copy(gameOverLabel), idle.copy(gameOverLabel));
        QVERIFY(game.answerWithEnter(XSession::nameWindow) && game.answerWithEnter(XSession::scoresWindow));
        QTRY_VERIFY_WITH_TIMEOUT(game.onlyLitLight(idle) >= 0, 3000);
        QVERIFY(game.grabBoard().copy(gameOverLabel) != idle.copy(gameOverLabel));
        QCOMPARE(game.closeByMenu(), 0);
    }

    void aDialogOverTheHeldNewGameButtonStartsNothing()
    {
        // The New Game button held down when the name window opens: no game starts
        // behind the window, and the button comes up again.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        const int shown = game.newGameByClick(idle);
        QVERIFY(shown >= 0);
        XSession::run(game.pointerTo(XSession::lightCentre((shown + 1) % 4))
                      << QStringLiteral("click") << QStringLiteral("1") << game.pointerTo(XSession::newGameButton)
                      << QStringLiteral("mousedown") << QStringLiteral("1"));
        QVERIFY(!game.waitForDialog(XSession::nameWindow).id.isEmpty());
        QTest::qWait(1500);
        const QImage behind = game.grabBoard();
        XSession::run({QStringLiteral("mouseup"), QStringLiteral("1")});
        QVERIFY2(behind.copy(gameOverLabel) == idle.copy(gameOverLabel), "a game started behind the name window");
        QVERIFY(game.answerWithEnter(XSession::nameWindow) && game.answerWithEnter(XSession::scoresWindow));
        QTest::qWait(1500);
        const QImage after = game.grabBoard();
        QCOMPARE(after.copy(gameOverLabel), idle.copy(gameOverLabel));
        QCOMPARE(XSession::litLights(after, idle), 0);
        const QRect button(XSession::newGameButton - QPoint(40, 15), QSize(80, 30));
        QVERIFY2(after.copy(button) == idle.copy(button), "the New Game button stayed down");
        QCOMPARE(game.closeByMenu(), 0);
    }

    void newGameOverAHeldWrongPressPutsOutItsLights()
    {
        // A wrong light held down shows both lights; F2 puts both out, and the late
        // release leaves the new game alone, which plays on to a right press.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        const int shown = game.newGameByClick(idle);
        QVERIFY(shown >= 0);
        const int wrong = (shown + 1) % 4;
        XSession::run(game.pointerTo(XSession::lightCentre(wrong)) << QStringLiteral("mousedown") << QStringLiteral("1"));
        QTRY_COMPARE_WITH_TIMEOUT(XSession::litLights(game.grabBoard(), idle), (1 << shown) | (1 << wrong), 2000);
        // Without --clearmodifiers, which would let go of the mouse button too.
        XSession::run({QStringLiteral("key"), QStringLiteral("F2")});
        const QList<int> next = game.watchPlayback(idle, 1);
        const int litAfterPlayback = XSession::litLights(game.grabBoard(), idle);
        XSession::run({QStringLiteral("mouseup"), QStringLiteral("1")});
        QCOMPARE(next.size(), 1);
        QVERIFY2(litAfterPlayback == 0, "the abandoned press's lights stayed lit");
        QTest::qWait(300);
        QCOMPARE(XSession::litLights(game.grabBoard(), idle), 0);
        const QImage counterAtZero = game.grabBoard().copy(levelCounter);
        game.click(XSession::lightCentre(next[0]));
        QTRY_VERIFY_WITH_TIMEOUT(game.grabBoard().copy(levelCounter) != counterAtZero, 2000);
        QVERIFY(game.grabBoard().copy(gameOverLabel) != idle.copy(gameOverLabel));
        QCOMPARE(game.closeByMenu(), 0);
    }

    void playbackGoesOnBehindADialogOpenedInADarkGap()
    {
        // At the slow speed, the speed window opened in the dark gap before the second
        // light: the second light still comes on and goes off behind the window.
        QTemporaryDir config;
        QVERIFY(TestFiles::write(TestFiles::settingsFile(config.path()), "[Settings]\nSpeed=0\n"));
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        const int first = game.newGameByClick(idle);
        QVERIFY(first >= 0);
        game.click(XSession::lightCentre(first));
        // The pressed light's hold ends; the replay's first light comes on and, when it
        // goes off, the gap begins.
        QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), first, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(XSession::litLights(game.grabBoard(), idle), 0, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), first, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(game.onlyLitLight(idle) != first, 3000);
        game.keys({QStringLiteral("alt+g"), QStringLiteral("a")});
        const XSession::Window speed = game.waitForDialog(XSession::speedWindow);
        QVERIFY2(!speed.id.isEmpty(), "Game > Adjust Speed... showed no speed window");
        QTRY_VERIFY2_WITH_TIMEOUT(game.onlyLitLight(idle) >= 0, "no light came on behind the speed window", 3000);
        QTRY_COMPARE_WITH_TIMEOUT(XSession::litLights(game.grabBoard(), idle), 0, 3000);
        QVERIFY2(!game.dialog(XSession::speedWindow).id.isEmpty(), "the speed window closed by itself");
        QTRY_COMPARE_WITH_TIMEOUT(XSession::focusedWindow(), speed.id, 5000);
        game.keys({QStringLiteral("s"), QStringLiteral("Tab"), QStringLiteral("Return")});
        QVERIFY(game.waitForDialogToClose(XSession::speedWindow));
        QCOMPARE(game.closeByMenu(), 0);
    }
};

QTEST_MAIN(TestBoardEndToEnd)
#include "tst_board_e2e.moc"
