#include "support/XSession.h"

#include <QTest>

// The real game under Xvfb: a real click on New Game, the first light seen lit and
// then unlit in the window's pixels, the lights then taking a press, a clean exit.
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

        game.click(QPoint(200, 215));  // New Game
        int shown = -1;
        QTRY_VERIFY_WITH_TIMEOUT((shown = game.onlyLitLight(idle)) >= 0, 3000);
        const QImage counterAtZero = game.grabBoard().copy(344, 412, 73, 29);
        QVERIFY(counterAtZero != idle.copy(344, 412, 73, 29));
        QTRY_COMPARE_WITH_TIMEOUT(game.litLights(game.grabBoard(), idle), 0, 3000);

        // The player's turn: a press on the shown light lights it at the release.
        const QPoint centre = game.lightCentre(shown);
        QTest::qWait(400);
        game.click(centre);
        QTRY_COMPARE_WITH_TIMEOUT(game.onlyLitLight(idle), shown, 2000);
        // The round is complete: the level counter changes from 00 to 01.
        QTRY_VERIFY_WITH_TIMEOUT(game.grabBoard().copy(344, 412, 73, 29) != counterAtZero, 2000);

        QCOMPARE(game.closeByMenu(), 0);
    }
};

QTEST_MAIN(TestBoardEndToEnd)
#include "tst_board_e2e.moc"
