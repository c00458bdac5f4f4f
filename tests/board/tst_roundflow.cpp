#include "board/frmMain.h"
#include "globals/modGlobals.h"
#include "counter/DisplayCounter.h"
#include "platform/input/HotSpot.h"
#include "platform/widgets/Surface.h"
#include "support/BoardProbe.h"
#include "support/ModalAnswer.h"
#include "support/TestBoard.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSet>
#include <QTest>
#include <QTimer>

// The rules of one game, driven through the board's handlers; the test runs each
// waiting step's rest, and acts between a step and its rest.
class TestRoundFlow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestBoard> t;
    BoardProbe &probe() { return *t->probe; }
    frmMain &board() { return *t->board; }

    // Ticks until the player's turn begins.
    void playBack()
    {
        for (int guard = 0; guard < 100 && probe().tmrShowLights().isActive(); ++guard) {
            board().tmrShowLights_Timer();
            t->pump.runPending();
        }
    }
    // The time a step waits for passes: its rest runs.
    void wait() { t->pump.runPending(); }
    void press(qint16 index) { board().imgClick_MouseDown(index, HotSpot::vbLeftButton, 0, 0, 0); }
    void release(qint16 index) { board().imgClick_MouseUp(index, HotSpot::vbLeftButton, 0, 0, 0); }
    qint16 due(int element) const { return t->probe->sequence().at(std::size_t(element)); }
    qint16 notDue(int element) const { return qint16((due(element) + 1) % 4); }

    // The keys 1 to 4 press the lights in their order.
    static QKeyCombination keyOf(qint16 light) { return Qt::Key(Qt::Key_1 + light); }
    // A light held down by the real mouse or by its key, through the hot-spot router.
    void holdDown(qint16 light, bool byKey)
    {
        if (byKey)
            probe().sendKey(QEvent::KeyPress, keyOf(light));
        else
            QTest::mousePress(&probe().surface(), Qt::LeftButton, {}, probe().lightPosition(light) + QPoint(100, 100));
    }
    void letGo(qint16 light, bool byKey)
    {
        if (byKey)
            probe().sendKey(QEvent::KeyRelease, keyOf(light));
        else
            QTest::mouseRelease(&probe().surface(), Qt::LeftButton, {}, probe().lightPosition(light) + QPoint(100, 100));
    }
    QImage newButtonPixels()
    {
        return probe().surface().image().copy(probe().imgNew().geometry().toAlignedRect());
    }

private slots:
    void init()
    {
        modGlobals::giSpeed = 1;
        t = std::make_unique<TestBoard>();
        // A table no early game reaches, so game over shows no dialog here.
        probe().setScores({100, 90, 80, 70, 60});
    }
    void cleanup() { t.reset(); }

    void boardStartsIdle()
    {
        // Before the first game nothing is lit, the lights take no press, Game Over shows.
        QVERIFY(probe().lightsDisabled());
        QVERIFY(!probe().tmrShowLights().isActive());
        QVERIFY(!probe().lblGameOver().isHidden());
        QCOMPARE(probe().litLights(), 0);
        QCOMPARE(probe().tmrShowLights().interval(), 500);
    }

    void newGameStartsAOneLightPlayback()
    {
        // New Game: one random light, level 0, Game Over hidden, lights off, timer on.
        board().mnuGameNew_Click();
        QCOMPARE(probe().sequence().size(), std::size_t(1));
        QCOMPARE(probe().score(), qint16(0));
        QVERIFY(due(0) >= 0 && due(0) <= 3);
        QCOMPARE(probe().dcLevel().value(), qint16(0));
        QVERIFY(probe().lblGameOver().isHidden());
        QVERIFY(probe().lightsDisabled());
        QVERIFY(probe().tmrShowLights().isActive());
        QCOMPARE(probe().litLights(), 0);
    }

    void playbackShowsEachLightThenHandsOverToThePlayer()
    {
        // Tick 1 lights element 0; tick 2 darkens it and, the gap after its place in
        // the rhythm (1000 ms from the start), enables the lights.
        board().mnuGameNew_Click();
        board().tmrShowLights_Timer();
        QCOMPARE(probe().litLights(), 1 << due(0));
        QVERIFY(t->pump.waits.empty());
        QVERIFY(probe().lightsDisabled());
        board().tmrShowLights_Timer();
        QCOMPARE(probe().litLights(), 0);
        QCOMPARE(t->pump.deadlines, std::vector<qint64>{1200});
        QVERIFY(probe().lightsDisabled());
        wait();
        QVERIFY(!probe().tmrShowLights().isActive());
        QVERIFY(probe().lightsEnabled());
        QCOMPARE(probe().playerIndex(), -1);
    }

    void darkGapFollowsTheSpeedCodeAtEveryTick_data()
    {
        QTest::addColumn<qint16>("speed");
        QTest::addColumn<int>("gap");
        QTest::newRow("slow") << qint16(0) << 400;
        QTest::newRow("normal") << qint16(1) << 200;
        QTest::newRow("fast") << qint16(2) << 50;
        QTest::newRow("unknown code") << qint16(7) << 0;
        QTest::newRow("negative code") << qint16(-1) << 0;
    }
    void darkGapFollowsTheSpeedCodeAtEveryTick()
    {
        // The speed code is read afresh at each tick, so a change applies to the next
        // light; each light comes at its tick's place in the rhythm plus the gap.
        QFETCH(qint16, speed);
        QFETCH(int, gap);
        probe().setGame(3, -1);
        probe().setPlayback();
        board().tmrShowLights_Timer();
        modGlobals::giSpeed = speed;
        board().tmrShowLights_Timer();
        wait();
        modGlobals::giSpeed = 1;
        board().tmrShowLights_Timer();
        wait();
        QCOMPARE(t->pump.deadlines, (std::vector<qint64>{1000 + gap, 1700}));
    }

    void aLateTickLeavesItsLightOnSchedule_data()
    {
        QTest::addColumn<int>("late");
        QTest::addColumn<qint64>("lightOn");
        QTest::newRow("on time") << 0 << qint64(1400);
        QTest::newRow("a little late") << 5 << qint64(1400);
        QTest::newRow("far behind: most of the gap is kept") << 300 << qint64(1600);
    }
    void aLateTickLeavesItsLightOnSchedule()
    {
        // A light comes at the timer's start + 500 ms per tick + the gap, whenever its
        // tick woke; a tick far behind still keeps three quarters of the gap dark.
        QFETCH(int, late);
        QFETCH(qint64, lightOn);
        modGlobals::giSpeed = 0;
        probe().setGame(3, -1);
        probe().setPlayback();
        board().tmrShowLights_Timer();
        t->pump.advance(std::chrono::milliseconds(1000 + late));
        board().tmrShowLights_Timer();
        QCOMPARE(t->pump.deadlines, std::vector<qint64>{lightOn});
    }

    void rightRoundGrowsTheSequenceAndReplaysIt()
    {
        // Repeating the whole sequence adds a light, shows the new level, restarts playback.
        board().mnuGameNew_Click();
        playBack();
        const qint16 first = due(0);
        t->pump.waits.clear();
        press(first);
        QCOMPARE(probe().litLights(), 0);
        release(first);
        QCOMPARE(t->pump.waits, std::vector<double>{0.2});
        QCOMPARE(probe().litLights(), 1 << first);
        wait();
        QCOMPARE(probe().sequence().size(), std::size_t(2));
        QCOMPARE(due(0), first);
        QCOMPARE(probe().score(), qint16(1));
        QCOMPARE(probe().dcLevel().value(), qint16(1));
        QVERIFY(probe().tmrShowLights().isActive());
        QVERIFY(probe().lightsDisabled());
        QVERIFY(!probe().clickBusy());
        QCOMPARE(probe().litLights(), 0);
        QCOMPARE(probe().showIndex(), -1);
        QCOMPARE(probe().playerIndex(), -1);
    }

    void rightPressInsideTheSequenceGivesTheLightsBack()
    {
        // A right press that is not the last re-enables the lights and frees the next press.
        probe().setGame(2, -1);
        t->pressAndRelease(due(0));
        QVERIFY(probe().lightsEnabled());
        QVERIFY(!probe().clickBusy());
        QCOMPARE(probe().playerIndex(), 0);
        QVERIFY(!probe().tmrShowLights().isActive());
    }

    void wrongPressShowsBothLightsAndEndsTheGame()
    {
        // The due and pressed lights light at the press; 0.2 s after the release the
        // pressed one goes dark, then the due one, and Game Over shows.
        board().mnuGameNew_Click();
        playBack();
        const qint16 wrong = notDue(0);
        QList<int> timeline;
        connect(&probe().surface(), &Surface::refreshed, this, [&] { timeline.append(probe().litLights()); });
        t->pump.onWait = [&](double) { timeline.append(-1); };
        press(wrong);
        QCOMPARE(probe().litLights(), (1 << due(0)) | (1 << wrong));
        release(wrong);
        wait();
        const int both = (1 << due(0)) | (1 << wrong);
        QCOMPARE(timeline, (QList<int>{1 << due(0), both, both, -1, 1 << due(0), 0}));
        QVERIFY(!probe().lblGameOver().isHidden());
        QVERIFY(probe().lightsDisabled());
        QVERIFY(!probe().tmrShowLights().isActive());
        QVERIFY(!probe().clickBusy());
    }

    void pressesWhileBusyAreIgnoredAndSoAreTheirReleases()
    {
        // A second press during the first one's judging changes nothing, nor does its release.
        probe().setGame(2, -1);
        const qint16 first = due(0);
        const qint16 other = notDue(0);
        t->pump.inject([&] {
            press(other);
            QCOMPARE(probe().playerIndex(), -1);
        });
        press(first);
        QCOMPARE(probe().playerIndex(), 0);
        release(first);
        release(other);
        wait();
        QCOMPARE(probe().playerIndex(), 0);
        QVERIFY(probe().lblGameOver().isHidden());
        QVERIFY(!probe().clickBusy());
    }

    void pressDuringTheYieldOfEnableLightsIsIgnored()
    {
        // After a right release the lights come back before mbClickBusy clears, so a
        // press handled in that yield is dropped, and its release too.
        probe().setGame(2, -1);
        press(due(0));
        t->pump.inject([&] { press(due(1)); });
        release(due(0));
        wait();
        QVERIFY(!t->pump.pendingInjections());
        QCOMPARE(probe().playerIndex(), 0);
        release(due(1));
        QCOMPARE(probe().playerIndex(), 0);
        QVERIFY(!probe().clickBusy());
    }

    void newGameDuringAHoldComesAfterTheRelease_data()
    {
        QTest::addColumn<bool>("wrong");
        QTest::addColumn<int>("newGames");
        QTest::addColumn<bool>("byButton");
        QTest::newRow("right release") << false << 1 << false;
        QTest::newRow("wrong release, menu or F2") << true << 1 << false;
        QTest::newRow("wrong release, New Game button") << true << 1 << true;
        QTest::newRow("wrong release, twice, one new game") << true << 2 << false;
    }
    void newGameDuringAHoldComesAfterTheRelease()
    {
        // New Game in the 0.2 s hold waits for the release to be judged: a wrong one ends
        // its game with Game Over and its score in the table (name entry and scores shown)
        // first. Then a clean game starts: the light out, the lights free.
        QFETCH(bool, wrong);
        QFETCH(int, newGames);
        QFETCH(bool, byButton);
        probe().setScores({0, 0, 0, 0, 0});
        t->closeDialogsWithDefaults();
        probe().setGame(2, -1);
        const qint16 light = wrong ? notDue(0) : due(0);
        press(light);
        release(light);
        for (int i = 0; i < newGames; ++i) {
            if (byButton) {
                board().imgNew_MouseDown(HotSpot::vbLeftButton, 0, 0, 0);
                board().imgNew_MouseUp(HotSpot::vbLeftButton, 0, 0, 0);
            } else {
                board().mnuGameNew_Click();
            }
        }
        QCOMPARE(probe().sequence().size(), std::size_t(3));
        QString whileNaming;
        QTimer::singleShot(0, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                whileNaming = modal->objectName() + (probe().lblGameOver().isHidden() ? "" : " over Game Over");
        });
        wait();
        QCOMPARE(whileNaming, wrong ? QStringLiteral("frmNewHighScore over Game Over") : QString());
        QCOMPARE(probe().scores()[0], qint16(wrong ? 2 : 0));
        QCOMPARE(probe().sequence().size(), std::size_t(1));
        QCOMPARE(probe().score(), qint16(0));
        QCOMPARE(probe().showIndex(), -1);
        QCOMPARE(probe().playerIndex(), -1);
        QVERIFY(probe().lblGameOver().isHidden());
        QVERIFY(probe().tmrShowLights().isActive());
        QCOMPARE(probe().litLights(), 0);
        QVERIFY(!probe().clickBusy());
        QVERIFY(!probe().lightDown());
        QVERIFY(!t->pump.hasPending());
    }

    void aModalWindowOverTheHeldNewGameButtonStartsNothing()
    {
        // The name entry opens while the New Game button is held: the press is cancelled,
        // the button is drawn up again, and no game starts, then or at the late release.
        t->board->show();
        probe().setScores({0, 0, 0, 0, 0});
        probe().setGame(2, -1);
        const QImage up = newButtonPixels();
        const QPoint onButton = probe().imgNew().geometry().center().toPoint();
        press(notDue(0));
        release(notDue(0));
        QTest::mousePress(&probe().surface(), Qt::LeftButton, {}, onButton);
        QVERIFY(newButtonPixels() != up);
        QStringList seen;
        QTimer::singleShot(0, [&] {
            seen << QApplication::activeModalWidget()->objectName();
            if (newButtonPixels() == up)
                seen << QStringLiteral("button up");
            if (!probe().lblGameOver().isHidden() && !probe().tmrShowLights().isActive())
                seen << QStringLiteral("game over");
        });
        t->closeDialogsWithDefaults();
        wait();
        QCOMPARE(seen, (QStringList{"frmNewHighScore", "button up", "game over"}));
        QTest::mouseRelease(&probe().surface(), Qt::LeftButton, {}, onButton);
        QVERIFY(!probe().lblGameOver().isHidden());
        QVERIFY(!probe().tmrShowLights().isActive());
        QCOMPARE(probe().sequence().size(), std::size_t(3));
        QCOMPARE(newButtonPixels(), up);
    }

    void aModalWindowOverAHeldLightEndsItsPressAsJudged_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("right");
        QTest::newRow("mouse, right light") << false << true;
        QTest::newRow("mouse, wrong light") << false << false;
        QTest::newRow("key, right light") << true << true;
        QTest::newRow("key, wrong light") << true << false;
    }
    void aModalWindowOverAHeldLightEndsItsPressAsJudged()
    {
        // A modal window takes the mouse or the keyboard from a held light. The press
        // was judged when it went down (a wrong one showed the due light), so it is not
        // taken back: it ends as if released then, its tone and hold behind the window.
        QFETCH(bool, byKey);
        QFETCH(bool, right);
        t->board->show();
        probe().setGame(2, -1);
        const qint16 light = right ? due(0) : notDue(0);
        holdDown(light, byKey);
        QVERIFY(probe().lightDown());
        QDialog window(t->board.get());
        window.setModal(true);
        window.show();
        QVERIFY(!probe().lightDown());
        QCOMPARE(t->sound.plays().size(), 1);
        QVERIFY(probe().litLights() & (1 << light));
        wait();
        QCOMPARE(probe().lblGameOver().isHidden(), right);
        QCOMPARE(probe().lightsEnabled(), right);
        window.close();
        letGo(light, byKey);
        QCOMPARE(t->sound.plays().size(), 1);
    }

    void aWaitEndsBehindAModalWindowOpenedDuringIt_data()
    {
        QTest::addColumn<bool>("inGap");
        QTest::addColumn<bool>("right");
        QTest::newRow("dark gap") << true << true;
        QTest::newRow("hold of a release") << false << true;
        QTest::newRow("hold of a wrong release: the game ends after the window") << false << false;
    }
    void aWaitEndsBehindAModalWindowOpenedDuringIt()
    {
        // A window opened from the menus while a step waits does not hold the step: its
        // rest runs behind the window (the next light comes on, or the lights come back or
        // go out), but a game it ends shows Game Over only once the window has closed.
        QFETCH(bool, inGap);
        QFETCH(bool, right);
        probe().setGame(1, -1);
        if (inGap) {
            probe().setPlayback();
            board().tmrShowLights_Timer();
            board().tmrShowLights_Timer();
        } else {
            press(right ? due(0) : notDue(0));
            release(probe().pressIndex());
        }
        int litBehind = -1;
        bool overBehind = true;
        const ModalAnswer answer([&](QWidget &window) {
            wait();
            litBehind = probe().litLights();
            overBehind = !probe().lblGameOver().isHidden();
            window.close();
        });
        board().mnuGameSpeed_Click();
        QCOMPARE(litBehind, inGap ? 1 << due(1) : 0);
        QCOMPARE(probe().lightsEnabled(), !inGap && right);
        QVERIFY(!overBehind);
        QCOMPARE(probe().lblGameOver().isHidden(), right);
    }

    void newGameOverAHeldWrongPressDarkensBothLights_data()
    {
        QTest::addColumn<bool>("insideItsYields");
        QTest::newRow("between the press and its release") << false;
        // Right after the press is judged.
        QTest::newRow("inside the press's own yields") << true;
    }
    void newGameOverAHeldWrongPressDarkensBothLights()
    {
        // New Game while a wrong press is held puts out its two lights at once; the
        // late release then touches nothing of the new game, whose light stays lit.
        QFETCH(bool, insideItsYields);
        probe().setGame(2, -1);
        const qint16 wrong = notDue(0);
        if (insideItsYields)
            t->pump.inject([&] { board().mnuGameNew_Click(); });
        press(wrong);
        if (!insideItsYields)
            board().mnuGameNew_Click();
        QCOMPARE(probe().playerIndex(), -1);
        QCOMPARE(probe().litLights(), 0);
        QVERIFY(!probe().clickBusy());
        board().tmrShowLights_Timer();
        const int shown = 1 << due(0);
        QCOMPARE(probe().litLights(), shown);
        release(wrong);
        QVERIFY(!t->pump.hasPending());
        QCOMPARE(probe().litLights(), shown);
        QVERIFY(!probe().clickBusy());
        QVERIFY(probe().lblGameOver().isHidden());
        QVERIFY(probe().tmrShowLights().isActive());
        QCOMPARE(t->sound.plays().size(), 1);
    }

    void newGameDuringPlaybackLightsNothingOfTheOldGame_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::newRow("a light shown") << 1;
        QTest::newRow("a tick waiting in its gap") << 2;
    }
    void newGameDuringPlaybackLightsNothingOfTheOldGame()
    {
        // A light shown by the abandoned playback does not stay lit into the new game; a
        // tick waiting in its gap is cancelled, and the new playback starts from its beginning.
        QFETCH(int, ticks);
        probe().setGame(3, -1);
        probe().setPlayback();
        for (int tick = 0; tick < ticks; ++tick)
            board().tmrShowLights_Timer();
        QVERIFY(ticks == 2 || probe().litLights() != 0);
        board().mnuGameNew_Click();
        QVERIFY(!t->pump.hasPending());
        QCOMPARE(probe().litLights(), 0);
        QCOMPARE(probe().showIndex(), -1);
        QCOMPARE(probe().currentLight(), qint16(-1));
        QCOMPARE(probe().sequence().size(), std::size_t(1));
    }

    void releaseDuringThePressYieldsWaitsForThePress_data()
    {
        QTest::addColumn<int>("yield");
        QTest::newRow("press's own yield") << 0;
        QTest::newRow("yield of DisableOtherLights") << 1;
    }
    void releaseDuringThePressYieldsWaitsForThePress()
    {
        // A release dispatched in a yield of its press is judged only after the press
        // has advanced miPlayerIndex and judged itself.
        QFETCH(int, yield);
        probe().setGame(0, -1);
        const qint16 first = due(0);
        if (yield == 1)
            t->pump.inject([] {});
        t->pump.inject([&] { release(first); });
        press(first);
        wait();
        QCOMPARE(probe().score(), qint16(1));
        QVERIFY(probe().tmrShowLights().isActive());
        QVERIFY(!probe().clickBusy());
        QVERIFY(!probe().lightDown());
        QVERIFY(probe().lblGameOver().isHidden());
    }

    void releaseOfAPressIgnoredOnAnotherLightIsIgnored()
    {
        // Found by random play: in the press's first yield its release comes, then a
        // press and release on a light not yet disabled. The ignored press's release
        // must not be judged in place of the accepted one.
        probe().setGame(1, -1);
        const qint16 first = due(0);
        const qint16 other = notDue(0);
        t->pump.inject([&] {
            release(first);
            press(other);
            release(other);
        });
        press(first);
        wait();
        QCOMPARE(probe().playerIndex(), 0);
        QCOMPARE(probe().litLights(), 0);
        QVERIFY(probe().lightsEnabled());
        QVERIFY(probe().lblGameOver().isHidden());
        QVERIFY(!probe().clickBusy());
        QVERIFY(!probe().lightDown());
    }

    void firstPressInTheEndOfPlaybackYieldKeepsItsAdvance()
    {
        // The lights are enabled after miPlayerIndex is reset, so a press handled in
        // that yield keeps its advance.
        board().mnuGameNew_Click();
        board().tmrShowLights_Timer();
        const qint16 first = due(0);
        board().tmrShowLights_Timer();
        t->pump.inject([&] { press(first); });
        wait();
        QCOMPARE(probe().playerIndex(), 0);
        release(first);
        wait();
        QCOMPARE(probe().score(), qint16(1));
    }

    void ticksNeverNest()
    {
        // A tick due while another waits in its gap is dropped instead of nesting.
        probe().setGame(3, -1);
        probe().setPlayback();
        board().tmrShowLights_Timer();
        board().tmrShowLights_Timer();
        board().tmrShowLights_Timer();
        wait();
        QCOMPARE(probe().showIndex(), 1);
        QCOMPARE(probe().litLights(), 1 << due(1));
        QCOMPARE(t->pump.waits.size(), std::size_t(1));
    }

    void closingEndsTheWaitingStepWithoutScoring_data()
    {
        QTest::addColumn<bool>("inGap");
        QTest::newRow("hold of a wrong release") << false;
        QTest::newRow("dark gap") << true;
    }
    void closingEndsTheWaitingStepWithoutScoring()
    {
        // Closing the window while a step waits: nothing is judged, the table stays as it
        // was, the tick lights nothing more, the timer stops, and the settings are
        // written once.
        QFETCH(bool, inGap);
        probe().setScores({0, 0, 0, 0, 0});
        probe().setGame(inGap ? 3 : 2, -1);
        if (inGap) {
            probe().setPlayback();
            board().tmrShowLights_Timer();
            board().tmrShowLights_Timer();
        } else {
            press(notDue(0));
            release(notDue(0));
        }
        board().close();
        QVERIFY(!t->pump.hasPending());
        QVERIFY(!probe().clickBusy());
        QCOMPARE(probe().scores(), (std::array<qint16, 5>{0, 0, 0, 0, 0}));
        QCOMPARE(t->store.writes.size(), 12);
        QVERIFY(probe().lblGameOver().isHidden());
        QVERIFY(!probe().tmrShowLights().isActive());
        if (inGap)
            QCOMPARE(probe().litLights(), 0);
    }

    void everyMouseButtonPlaysAlike_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("left") << int(HotSpot::vbLeftButton);
        QTest::newRow("right") << int(HotSpot::vbRightButton);
        QTest::newRow("middle") << int(HotSpot::vbMiddleButton);
    }
    void everyMouseButtonPlaysAlike()
    {
        // Button and shift state are never looked at.
        QFETCH(int, button);
        probe().setGame(0, -1);
        board().imgClick_MouseDown(due(0), button, HotSpot::vbShiftMask, 3, 4);
        board().imgClick_MouseUp(due(0), button, HotSpot::vbCtrlMask, 5, 6);
        wait();
        QCOMPARE(probe().score(), qint16(1));
    }

    void keysPressAndReleaseTheLights_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<qint16>("light");
        const auto row = [](const char *name, QKeyCombination key, qint16 light) {
            QTest::newRow(name) << key.toCombined() << light;
        };
        row("1 red", Qt::Key_1, 0);
        row("2 yellow", Qt::Key_2, 1);
        row("3 blue", Qt::Key_3, 2);
        row("4 green", Qt::Key_4, 3);
        row("keypad 7 top left", Qt::KeypadModifier | Qt::Key_7, 0);
        row("keypad 9 top right", Qt::KeypadModifier | Qt::Key_9, 1);
        row("keypad 1 bottom left", Qt::KeypadModifier | Qt::Key_1, 2);
        row("keypad 3 bottom right", Qt::KeypadModifier | Qt::Key_3, 3);
        row("keypad 7, Num Lock off", Qt::KeypadModifier | Qt::Key_Home, 0);
        row("keypad 9, Num Lock off", Qt::KeypadModifier | Qt::Key_PageUp, 1);
        row("keypad 1, Num Lock off", Qt::KeypadModifier | Qt::Key_End, 2);
        row("keypad 3, Num Lock off", Qt::KeypadModifier | Qt::Key_PageDown, 3);
        row("shift does not matter", Qt::ShiftModifier | Qt::Key_2, 1);
    }
    void keysPressAndReleaseTheLights()
    {
        // A key going down is a press on its light and coming up its release, judged
        // by the same handlers as the mouse: nothing shown at a right press, then the
        // tone and the light for the hold.
        QFETCH(int, key);
        QFETCH(qint16, light);
        const QKeyCombination combination = QKeyCombination::fromCombined(key);
        probe().setGame(3, light - 1);
        probe().sendKey(QEvent::KeyPress, combination);
        QVERIFY(probe().clickBusy());
        QCOMPARE(probe().pressIndex(), light);
        QCOMPARE(probe().playerIndex(), int(light));
        QCOMPARE(probe().litLights(), 0);
        QVERIFY(probe().lightsDisabled());
        probe().sendKey(QEvent::KeyRelease, combination);
        QCOMPARE(t->sound.plays(), QList<QByteArray>{probe().tone(light)});
        QCOMPARE(probe().litLights(), 1 << light);
        wait();
        QCOMPARE(probe().litLights(), 0);
        QVERIFY(probe().lblGameOver().isHidden());
        QVERIFY(!probe().clickBusy());
        QCOMPARE(probe().score(), qint16(light == 3 ? 4 : 3));
    }

    void theLongestGameEndsAtTheHighestScore()
    {
        // Repeating all 32768 lights of a game at score 32767 ends it there, with no
        // overflow, and the score goes to the table.
        probe().setScores({0, 0, 0, 0, 0});
        probe().setGame(frmMain::maxScore, frmMain::maxScore - 1);
        t->closeDialogsWithDefaults();
        t->pressAndRelease(due(frmMain::maxScore));
        QCOMPARE(probe().score(), frmMain::maxScore);
        QCOMPARE(probe().sequence().size(), std::size_t(32768));
        QVERIFY(!probe().lblGameOver().isHidden());
        QVERIFY(!probe().tmrShowLights().isActive());
        QCOMPARE(probe().scores()[0], frmMain::maxScore);
        QVERIFY(!probe().clickBusy());
    }

    void tonesSoundWithTheirLights()
    {
        // Playback sounds a light right after lighting it; a release sounds the pressed
        // light right before lighting it; a wrong press sounds only the pressed light.
        QStringList timeline;
        connect(&probe().surface(), &Surface::refreshed, this,
                [&] { timeline << QStringLiteral("lit %1").arg(probe().litLights()); });
        t->sound.onPlay = [&](const QByteArray &image) {
            for (int i = 0; i < 4; ++i)
                if (image == probe().tone(i))
                    timeline << QStringLiteral("tone %1").arg(i);
        };
        board().mnuGameNew_Click();
        const qint16 first = due(0);
        playBack();
        QCOMPARE(timeline.mid(0, 2), (QStringList{QStringLiteral("lit %1").arg(1 << first),
                                                  QStringLiteral("tone %1").arg(first)}));
        timeline.clear();
        t->pressAndRelease(first);
        QCOMPARE(timeline.mid(0, 2), (QStringList{QStringLiteral("tone %1").arg(first),
                                                  QStringLiteral("lit %1").arg(1 << first)}));
        playBack();
        timeline.clear();
        const qint16 wrong = notDue(0);
        t->pressAndRelease(wrong);
        QCOMPARE(timeline.filter(QStringLiteral("tone")), (QStringList{QStringLiteral("tone %1").arg(wrong)}));
    }

    void eachLightHasItsOwnClip()
    {
        // The four clips are loaded at start-up, distinct, and played as they are.
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(probe().tone(i).size(), 8744);
            for (int j = 0; j < i; ++j)
                QVERIFY(probe().tone(i) != probe().tone(j));
        }
    }

    void aPressBeforeTheFirstGameSoundsNothing()
    {
        // The lights are disabled at start-up: a real click or key reaches no handler.
        t->board->show();
        QTest::mouseClick(&probe().surface(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::keyClick(&probe().surface(), Qt::Key_1);
        QCOMPARE(t->sound.plays().size(), 0);
        QCOMPARE(probe().litLights(), 0);
        QVERIFY(!probe().lblGameOver().isHidden());
    }

    void theSeedDecidesTheSequence()
    {
        // One generator seeded once: the same seed plays the same lights, and every
        // light comes up.
        TestBoard twin;
        QList<qint16> mine, theirs;
        for (int game = 0; game < 40; ++game) {
            board().mnuGameNew_Click();
            twin.board->mnuGameNew_Click();
            mine.append(due(0));
            theirs.append(twin.probe->sequence().at(0));
        }
        QCOMPARE(mine, theirs);
        QCOMPARE(QSet<qint16>(mine.begin(), mine.end()).size(), 4);
    }
};

QTEST_MAIN(TestRoundFlow)
#include "tst_roundflow.moc"
