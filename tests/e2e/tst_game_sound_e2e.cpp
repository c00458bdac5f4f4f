#include "support/MonitorRecorder.h"
#include "support/ToneAnalysis.h"
#include "support/XSession.h"

#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

// The real game under Xvfb with the test sound server: two rounds played with the
// mouse are heard tone by tone, in the order of the lights shown and pressed.
class TestGameSoundEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void twoRoundsAreHeardInTheOrderOfTheLights()
    {
        // Every light shown sounds its tone, and every released press sounds the pressed light.
        MonitorRecorder recorder;
        QVERIFY2(recorder.start(), "cannot record the test sound server");
        XSession game;
        QVERIFY2(game.start(), qPrintable(game.error()));
        const QImage idle = game.grabBoard();
        QList<int> expected;

        const int first = game.newGameByClick(idle);
        QVERIFY(first >= 0);
        expected << first << first;
        game.click(XSession::lightCentre(first));
        QTest::qWait(300);  // past the 0.2 s hold of the pressed light

        const QList<int> second = game.watchPlayback(idle, 2);
        QCOMPARE(second.size(), 2);
        QCOMPARE(second[0], first);
        expected << second;
        for (const int light : second) {
            game.click(XSession::lightCentre(light));
            QTest::qWait(400);
        }
        expected << second;
        QTest::qWait(500);
        const int exitCode = game.closeByMenu();
        recorder.stop();

        const QVector<qint16> heard = recorder.samples();
        QList<int> tones;
        for (const ToneAnalysis::Span &span : ToneAnalysis::soundingSpans(heard)) {
            QVERIFY2(span.seconds() >= 0.19, qPrintable(QStringLiteral("a tone of %1 s").arg(span.seconds())));
            tones << ToneAnalysis::lightOf(ToneAnalysis::pitchOf(ToneAnalysis::risingCrossings(heard, span)));
        }
        // The third round's playback may have begun before the window closed; it
        // starts with the same lights.
        QVERIFY2(tones.size() >= expected.size(), qPrintable(QStringLiteral("%1 tones").arg(tones.size())));
        QCOMPARE(tones.mid(0, expected.size()), expected);
        QCOMPARE(tones.mid(expected.size()), second.mid(0, tones.size() - expected.size()));
        QCOMPARE(exitCode, 0);
    }

    void aServerThatNeverAnswersDelaysNothing()
    {
        // A sound server that takes the connection and never answers: the window
        // comes up and a game plays on as usual, and the game closes at once.
        QTemporaryDir dir;
        QLocalServer server;
        QVERIFY(server.listen(dir.filePath(QStringLiteral("native"))));
        QProcessEnvironment env;
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + server.fullServerName());
        XSession game;
        QVERIFY2(game.start({}, env), qPrintable(game.error()));
        QVERIFY(server.waitForNewConnection(10000));
        const QImage idle = game.grabBoard();
        QVERIFY(game.newGameByClick(idle) >= 0);
        QCOMPARE(game.closeByMenu(), 0);
    }
};

QTEST_MAIN(TestGameSoundEndToEnd)
#include "tst_game_sound_e2e.moc"
