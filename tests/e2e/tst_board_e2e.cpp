#include "support/XSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QPoint newGameButton(200, 215);
const QRect gameOverLabel(20, 416, 121, 33);
const QRect levelCounter(344, 412, 73, 29);

QImage part(const QImage &board, const QRect &rect)
{
    return board.copy(rect);
}

// A config folder whose stored speed is the given code.
bool storeSpeed(const QTemporaryDir &config, int speed)
{
    QDir(config.path()).mkpath(QStringLiteral("Tessaly"));
    QFile ini(config.filePath(QStringLiteral("Tessaly/Tessaly.ini")));
    return ini.open(QIODevice::WriteOnly)
        && ini.write(QStringLiteral("[Settings]\nSpeed=%1\n").arg(speed).toLatin1()) > 0;
}

} // namespace

// The real game under Xvfb, played with the real mouse and keyboard and watched in
// the window's pixels: a round by mouse, a whole game by keys, and what New Game and
// dialogs do when they come while the board is busy.
class TestBoardEndToEnd : public QObject
{
    Q_OBJECT

    // The board idle and focused, then New Game by a click: the idle board, and the
    // one light shown (-1 if none) once the lights take presses.
    static std::pair<QImage, int> playFirstLight(XSession &game)
    {
        const QImage idle = game.grabBoard();
        game.focusBoard();
        game.click(newGameButton);
        const QList<int> shown = game.watchPlayback(idle, 1);
        return {idle, shown.size() == 1 ? shown[0] : -1};
    }

    // Enter in the name window and then in the scores window.
    static bool answerTheHighScoreWindows(XSession &game)
    {
        for (const QSize size : {XSession::nameWindow, XSession::scoresWindow}) {
            const XSession::Window window = game.waitForDialog(size);
            for (int i = 0; i < 50 && !window.id.isEmpty() && XSession::focusedWindow() != window.id; ++i)
                QTest::qWait(100);
            if (window.id.isEmpty() || XSession::focusedWindow() != window.id)
                return false;
            game.keys({QStringLiteral("Return")});
            if (!game.waitForDialogToClose(size))
                return false;
        }
        return true;
    }

private slots:
    void cleanup()
    {
        // A test that failed while it held the mouse button must not leave it held.
        XSession::run({QStringLiteral("mouseup"), QStringLiteral("1")});
    }

    void aGameStartsFromARealClickAndTheLightsTakeAPress()
    {
        // One round played with the real mouse, watched in the window's pixels.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        QCOMPARE(game.litLights(idle, idle), 0);

        game.click(newGameButton);
        int shown = -1;
        QTRY_VERIFY_WITH_TIMEOUT((shown = game.onlyLitLight(idle)) >= 0, 3000);
        const QImage counterAtZero = part(game.grabBoard(), levelCounter);
        QVERIFY(counterAtZero != part(idle, levelCounter));
        QTRY_COMPARE_WITH_TIMEOUT(game.litLights(game.grabBoard(), idle), 0, 3000);

        // The player's turn: a press on the shown light lights it at the release.
        const QPoint centre = game.lightCentre(shown);
        QTest::qWait(400);
        game.click(centre);
        QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), shown, 2000);
        // The round is complete: the level counter changes from 00 to 01.
        QTRY_VERIFY_WITH_TIMEOUT(part(game.grabBoard(), levelCounter) != counterAtZero, 2000);

        QCOMPARE(game.closeByMenu(), 0);
    }

    void aWholeGameIsPlayedWithTheKeyboard()
    {
        // F2, then each round repeated with keys: 1 to 4, the keypad with Num Lock off,
        // the keypad with Num Lock on; a wrong key ends the game and its score is kept.
        QTemporaryDir config;
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        game.focusBoard();
        const QStringList keySets[] = {
            {"1", "2", "3", "4"},
            {"KP_Home", "KP_Prior", "KP_End", "KP_Next"},
            {"KP_7", "KP_9", "KP_1", "KP_3"},
        };
        game.keys({QStringLiteral("F2")});
        QImage counter = part(idle, levelCounter);
        for (int round = 0; round < 3; ++round) {
            const QList<int> shown = game.watchPlayback(idle, round + 1);
            QCOMPARE(shown.size(), round + 1);
            if (round == 2)
                game.keys({QStringLiteral("Num_Lock")});
            for (const int light : shown) {
                game.keys({keySets[round][light]});
                QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), light, 2000);
                QTRY_COMPARE_WITH_TIMEOUT(XSession::litLights(game.grabBoard(), idle), 0, 2000);
            }
            if (round == 2)
                game.keys({QStringLiteral("Num_Lock")});
            QTRY_VERIFY_WITH_TIMEOUT(part(game.grabBoard(), levelCounter) != counter, 2000);
            counter = part(game.grabBoard(), levelCounter);
        }
        const QList<int> last = game.watchPlayback(idle, 4);
        QCOMPARE(last.size(), 4);
        game.keys({keySets[0][(last[0] + 1) % 4]});
        QVERIFY2(answerTheHighScoreWindows(game), "a game lost by a key asked for no name");
        QCOMPARE(game.closeByMenu(), 0);
        QFile ini(config.filePath(QStringLiteral("Tessaly/Tessaly.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY2(ini.readAll().contains("Score1=3"), "the score of the keyboard game was not stored");
    }

    void theTopRowPlaysUnshiftedOnALayoutWithShiftedDigits()
    {
        // On a French AZERTY layout the top-row keys 1 to 4 give & é " ' without Shift;
        // pressed so, they still play the lights, known by where they are.
        QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("fr")}), 0);
        const auto restore = qScopeGuard([] { QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("us")}); });
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        game.focusBoard();
        const QStringList topRow{"ampersand", "eacute", "quotedbl", "apostrophe"};
        game.keys({QStringLiteral("F2")});
        QImage counter = part(idle, levelCounter);
        for (int round = 0; round < 2; ++round) {
            const QList<int> shown = game.watchPlayback(idle, round + 1);
            QCOMPARE(shown.size(), round + 1);
            for (const int light : shown) {
                game.keys({topRow[light]});
                QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), light, 2000);
                QTRY_COMPARE_WITH_TIMEOUT(XSession::litLights(game.grabBoard(), idle), 0, 2000);
            }
            QTRY_VERIFY_WITH_TIMEOUT(part(game.grabBoard(), levelCounter) != counter, 2000);
            counter = part(game.grabBoard(), levelCounter);
        }
        QCOMPARE(game.closeByMenu(), 0);
    }

    void newGameInTheHoldOfALosingClickComesAfterItsScore()
    {
        // F2 right after the click that loses: Game Over, the name and the scores come
        // first, then the new game plays.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const auto [idle, shown] = playFirstLight(game);
        QVERIFY(shown >= 0);
        XSession::run(game.pointerTo(XSession::lightCentre((shown + 1) % 4))
                      << QStringLiteral("click") << QStringLiteral("1") << QStringLiteral("key") << QStringLiteral("F2"));
        QVERIFY2(!game.waitForDialog(XSession::nameWindow).id.isEmpty(),
                 "the lost game's score was dropped: no name was asked for");
        QCOMPARE(part(game.grabBoard(), gameOverLabel), part(idle, gameOverLabel));
        QVERIFY(answerTheHighScoreWindows(game));
        QTRY_VERIFY_WITH_TIMEOUT(game.onlyLitLight(idle) >= 0, 3000);
        QVERIFY(part(game.grabBoard(), gameOverLabel) != part(idle, gameOverLabel));
        QCOMPARE(game.closeByMenu(), 0);
    }

    void aDialogOverTheHeldNewGameButtonStartsNothing()
    {
        // The New Game button held down when the name window opens: no game starts
        // behind the window, and the button comes up again.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const auto [idle, shown] = playFirstLight(game);
        QVERIFY(shown >= 0);
        XSession::run(game.pointerTo(XSession::lightCentre((shown + 1) % 4))
                      << QStringLiteral("click") << QStringLiteral("1") << game.pointerTo(newGameButton)
                      << QStringLiteral("mousedown") << QStringLiteral("1"));
        QVERIFY(!game.waitForDialog(XSession::nameWindow).id.isEmpty());
        QTest::qWait(1500);
        const QImage behind = game.grabBoard();
        XSession::run({QStringLiteral("mouseup"), QStringLiteral("1")});
        QVERIFY2(part(behind, gameOverLabel) == part(idle, gameOverLabel), "a game started behind the name window");
        QVERIFY(answerTheHighScoreWindows(game));
        QTest::qWait(1500);
        const QImage after = game.grabBoard();
        QCOMPARE(part(after, gameOverLabel), part(idle, gameOverLabel));
        QCOMPARE(XSession::litLights(after, idle), 0);
        const QRect button(newGameButton - QPoint(40, 15), QSize(80, 30));
        QVERIFY2(part(after, button) == part(idle, button), "the New Game button stayed down");
        QCOMPARE(game.closeByMenu(), 0);
    }

    void newGameOverAHeldWrongPressPutsOutItsLights()
    {
        // A wrong light held down shows both lights; F2 puts both out, and the late
        // release leaves the new game alone, which plays on to a right press.
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const auto [idle, shown] = playFirstLight(game);
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
        const QImage counterAtZero = part(game.grabBoard(), levelCounter);
        game.click(XSession::lightCentre(next[0]));
        QTRY_VERIFY_WITH_TIMEOUT(part(game.grabBoard(), levelCounter) != counterAtZero, 2000);
        QVERIFY(part(game.grabBoard(), gameOverLabel) != part(idle, gameOverLabel));
        QCOMPARE(game.closeByMenu(), 0);
    }

    void playbackGoesOnBehindADialogOpenedInADarkGap()
    {
        // At the slow speed, the speed window opened in the dark gap before the second
        // light: the second light still comes on and goes off behind the window.
        QTemporaryDir config;
        QVERIFY(storeSpeed(config, 0));
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        const auto [idle, first] = playFirstLight(game);
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
