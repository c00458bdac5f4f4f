#include "platform/widgets/Twips.h"
#include "support/Pixels.h"
#include "support/TestFiles.h"
#include "support/XSession.h"

#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <csignal>

namespace {

const QString typedName = QStringLiteral("Ada Lovelace");
const QString anonymous = QStringLiteral("Anonymous");
const QRgb magenta = qRgb(255, 0, 255);
constexpr int rows = 5;
// Text widths are foretold from font metrics to within this many pixels.
constexpr int widthTolerance = 3;

// Places in the scores window, row 0 at the top.
QRect barRect(int row)
{
    return QRect(8, 76 + 24 * row, 221, 17);
}

QRect nameRect(int row)
{
    return QRect(28, 76 + 24 * row, 133, 17);
}

QRect scoreRect(int row)
{
    return QRect(172, 76 + 24 * row, 57, 17);
}

// Name and score together: everything of a row but its number.
QRect entryRect(int row)
{
    return nameRect(row).united(scoreRect(row));
}

// The width a name takes in the scores window's row font.
int expectedInkWidth(const QString &name)
{
    return QFontMetrics(Twips::font(QStringLiteral("Arial"), 9.75, true)).tightBoundingRect(name).width();
}

// The window once its drawing has settled: two grabs in a row alike.
QImage settledGrab(const QRect &rect)
{
    QImage previous = XSession::grabScreen(rect);
    for (int i = 0; i < 50; ++i) {
        QTest::qWait(200);
        QImage next = XSession::grabScreen(rect);
        if (next == previous)
            return next;
        previous = next;
    }
    return previous;
}

} // namespace

// The real game under Xvfb with a private config folder: a high score played, named,
// shown marked, written at exit with the speed, and shown again after a restart; and
// the game in a desktop session, ended by signals, killed and started twice.
class TestScoresEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The same font choices the game makes, so text widths can be foretold.
        Twips::installFontSubstitutes();
        QVERIFY2(qAbs(expectedInkWidth(typedName) - expectedInkWidth(anonymous)) > 2 * widthTolerance,
                 "the typed name must be told apart from the default one by its width");
    }

    void aNamedHighScoreIsShownStoredAndShownAgainAfterARestart()
    {
        // The whole way of a new high score, from a wrong press to the next start-up.
        QTemporaryDir config;
        QVERIFY(config.isValid());
        QImage firstTable;
        {
            XSession game;
            QVERIFY2(game.start(config.path()), qPrintable(game.error()));

            // Game > Adjust Speed... > Fast > OK.
            QVERIFY2(!game.openDialog({QStringLiteral("alt+g"), QStringLiteral("a")}, XSession::speedWindow).id.isEmpty(),
                     "Game > Adjust Speed... showed no speed window");
            game.keys({QStringLiteral("f"), QStringLiteral("Tab"), QStringLiteral("Return")});
            QVERIFY2(game.waitForDialogToClose(XSession::speedWindow), "the speed window stayed open after OK");

            // Score 0 beats no one but ties the empty table's first place: the name is asked for.
            QVERIFY2(game.playToTheNameEntry(), "a wrong press asked for no name");
            // The offered name is selected, so typing replaces it.
            game.type(typedName);
            game.keys({QStringLiteral("Return")});
            QVERIFY2(game.waitForDialogToClose(XSession::nameWindow), "the name window stayed open after Enter");

            const XSession::Window scores = game.waitForDialog(XSession::scoresWindow);
            QVERIFY2(!scores.id.isEmpty(), "no scores window followed the name");
            QTRY_VERIFY2_WITH_TIMEOUT(Pixels::count(XSession::grabScreen(scores.rect), magenta, barRect(0)) > 0,
                                      "no magenta bar behind row 1 of the scores window", 5000);
            firstTable = settledGrab(scores.rect);
            // The bar lies behind row 1 only; the text leaves most of it showing.
            const int barArea = barRect(0).width() * barRect(0).height();
            QVERIFY2(Pixels::count(firstTable, magenta, barRect(0)) > barArea * 6 / 10,
                     qPrintable(QStringLiteral("%1 of %2 bar pixels magenta")
                                    .arg(Pixels::count(firstTable, magenta, barRect(0)))
                                    .arg(barArea)));
            for (int row = 1; row < rows; ++row)
                QCOMPARE(Pixels::count(firstTable, magenta, barRect(row)), 0);
            QVERIFY2(qAbs(Pixels::inkWidth(firstTable, nameRect(0)) - expectedInkWidth(typedName)) <= widthTolerance,
                     qPrintable(QStringLiteral("row 1 shows a name %1 px wide, the typed one takes %2")
                                    .arg(Pixels::inkWidth(firstTable, nameRect(0)))
                                    .arg(expectedInkWidth(typedName))));
            for (int row = 1; row < rows; ++row)
                QVERIFY(qAbs(Pixels::inkWidth(firstTable, nameRect(row)) - expectedInkWidth(anonymous)) <= widthTolerance);

            QVERIFY2(game.answerWithEnter(XSession::scoresWindow), "the scores window stayed open after Enter");
            QCOMPARE(game.closeByMenu(), 0);
        }

        // The table, the last name and the speed as written at exit.
        const QString iniPath = TestFiles::settingsFile(config.path());
        QVERIFY2(QFile::exists(iniPath), qPrintable(iniPath));
        const QHash<QString, QString> ini = TestFiles::readIni(iniPath);
        for (int i = 1; i <= rows; ++i) {
            QCOMPARE(ini.value(QStringLiteral("Scores/Score%1").arg(i)), QStringLiteral("0"));
            QCOMPARE(ini.value(QStringLiteral("Scores/Name%1").arg(i)), i == 1 ? typedName : anonymous);
        }
        QCOMPARE(ini.value(QStringLiteral("Scores/Last Name Entered")), typedName);
        QCOMPARE(ini.value(QStringLiteral("Settings/Speed")), QStringLiteral("2"));

        // Started again: Game > High Scores... shows the same table, nothing marked.
        XSession again;
        QVERIFY2(again.start(config.path()), qPrintable(again.error()));
        const XSession::Window scores = again.openDialog({QStringLiteral("alt+g"), QStringLiteral("h")}, XSession::scoresWindow);
        QVERIFY2(!scores.id.isEmpty(), "Game > High Scores... showed no scores window");
        QTRY_VERIFY_WITH_TIMEOUT(Pixels::inkWidth(XSession::grabScreen(scores.rect), nameRect(0)) > 0, 5000);
        const QImage table = settledGrab(scores.rect);
        QCOMPARE(Pixels::count(table, magenta), 0);
        // The unmarked rows look exactly as they did in the first run.
        for (int row = 1; row < rows; ++row)
            QCOMPARE(table.copy(entryRect(row)), firstTable.copy(entryRect(row)));
        // Row 1 holds another name than row 2 but the same score.
        QVERIFY2(table.copy(nameRect(0)) != table.copy(nameRect(1)), "row 1 shows row 2's name after the restart");
        QCOMPARE(table.copy(scoreRect(0)), table.copy(scoreRect(1)));
        QVERIFY2(qAbs(Pixels::inkWidth(table, nameRect(0)) - Pixels::inkWidth(firstTable, nameRect(0))) <= 1,
                 qPrintable(QStringLiteral("row 1's name is %1 px wide now, %2 px in the first run")
                                .arg(Pixels::inkWidth(table, nameRect(0)))
                                .arg(Pixels::inkWidth(firstTable, nameRect(0)))));

        QVERIFY2(again.answerWithEnter(XSession::scoresWindow), "the scores window stayed open after Enter");
        QCOMPARE(again.closeByMenu(), 0);
    }

    void aSignalClosesTheGameKeepingWhatWasChosen_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name2");
        QTest::addColumn<QString>("speed");
        QTest::newRow("SIGTERM, no window open") << SIGTERM << QString() << anonymous << "1";
        QTest::newRow("SIGHUP, speed window open, Fast chosen") << SIGHUP << "speed" << anonymous << "2";
        QTest::newRow("SIGTERM, a name being typed") << SIGTERM << "name" << typedName << "1";
        QTest::newRow("SIGHUP, asked whether to clear the table") << SIGHUP << "clear" << anonymous << "1";
        QTest::newRow("SIGINT, About open") << SIGINT << "about" << anonymous << "1";
    }
    void aSignalClosesTheGameKeepingWhatWasChosen()
    {
        // A logout, a closed terminal or Ctrl+C closes the game as Exit does, whatever window
        // is open over the board: status 0, and the file holds all twelve values as chosen (a
        // name being typed as if OK had been pressed, a pending question as a No).
        QFETCH(int, number);
        QFETCH(QString, window);
        QFETCH(QString, name2);
        QFETCH(QString, speed);
        QTemporaryDir config;
        // Only a shut-down writes the keys this file lacks.
        QVERIFY(TestFiles::write(TestFiles::settingsFile(config.path()), "[Scores]\nScore1=5\nName1=Ada\n"));
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        if (window == QLatin1String("speed")) {
            QVERIFY(!game.openDialog({QStringLiteral("alt+g"), QStringLiteral("a")}, XSession::speedWindow).id.isEmpty());
            game.keys({QStringLiteral("f")});
        } else if (window == QLatin1String("name")) {
            QVERIFY2(game.playToTheNameEntry(), "a wrong press asked for no name");
            game.type(typedName);
        } else if (window == QLatin1String("clear")) {
            QVERIFY(!game.openDialog({QStringLiteral("alt+g"), QStringLiteral("h")}, XSession::scoresWindow).id.isEmpty());
            game.keys({QStringLiteral("Tab"), QStringLiteral("space")});
            QVERIFY2(!game.waitForWindowTitled(QStringLiteral("Clear High Scores\\?")).isEmpty(), "Clear High Scores asked nothing");
        } else if (window == QLatin1String("about")) {
            game.focusBoard();
            game.keys({QStringLiteral("alt+h"), QStringLiteral("a")});
            QVERIFY2(!game.waitForWindowTitled(QStringLiteral("About Tessaly")).isEmpty(), "Help > About showed no window");
        }
        game.sendSignal(number);
        QVERIFY2(game.waitForExit(), "the game went on after the signal");
        QCOMPARE(game.exitResult(), 0);

        const QHash<QString, QString> ini = TestFiles::readIni(TestFiles::settingsFile(config.path()));
        QCOMPARE(ini.size(), 12);
        QCOMPARE(ini.value(QStringLiteral("Scores/Score1")), QStringLiteral("5"));
        QCOMPARE(ini.value(QStringLiteral("Scores/Name1")), QStringLiteral("Ada"));
        QCOMPARE(ini.value(QStringLiteral("Scores/Name2")), name2);
        QCOMPARE(ini.value(QStringLiteral("Scores/Last Name Entered")), name2);
        QCOMPARE(ini.value(QStringLiteral("Settings/Speed")), speed);
    }

    void aNameJustEnteredOutlivesAKillAndItsLock()
    {
        // OK writes the name at once: a kill while the table is shown loses nothing, and the
        // lock the killed game left does not keep the next start out.
        QTemporaryDir config;
        {
            XSession game;
            QVERIFY2(game.start(config.path()), qPrintable(game.error()));
            QVERIFY2(game.playToTheNameEntry(), "a wrong press asked for no name");
            game.type(typedName);
            game.keys({QStringLiteral("Return")});
            QVERIFY2(!game.waitForDialog(XSession::scoresWindow).id.isEmpty(), "no scores window followed the name");
            game.sendSignal(SIGKILL);
            QVERIFY(game.waitForExit());
            QCOMPARE(game.exitResult(), -1);
        }
        const QHash<QString, QString> ini = TestFiles::readIni(TestFiles::settingsFile(config.path()));
        QCOMPARE(ini.value(QStringLiteral("Scores/Name1")), typedName);
        QCOMPARE(ini.value(QStringLiteral("Scores/Last Name Entered")), typedName);
        QVERIFY(QFile::exists(TestFiles::settingsFile(config.path()) + QStringLiteral(".lock")));

        XSession next;
        QVERIFY2(next.start(config.path()), qPrintable(next.error()));
        QCOMPARE(XSession::boardWindows(), 1);
        QCOMPARE(next.closeByMenu(), 0);
    }

    void aSecondStartShowsTheRunningGameAndEnds_data()
    {
        QTest::addColumn<bool>("speedWindowOpen");
        QTest::newRow("board") << false;
        QTest::newRow("speed window open over it") << true;
    }
    void aSecondStartShowsTheRunningGameAndEnds()
    {
        // Started again on the same settings, the game opens no second board: the running
        // one, or the window open over it, takes the keyboard, and the second start ends
        // with status 0 without touching the file.
        QFETCH(bool, speedWindowOpen);
        QTemporaryDir config;
        QVERIFY(TestFiles::write(TestFiles::settingsFile(config.path()), "[Settings]\nSpeed=0\n"));
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        QString front = game.boardWindow();
        if (speedWindowOpen) {
            front = game.openDialog({QStringLiteral("alt+g"), QStringLiteral("a")}, XSession::speedWindow).id;
            QVERIFY(!front.isEmpty());
        }
        // Another program has the keyboard meanwhile.
        QWidget other;
        other.resize(120, 80);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        other.activateWindow();
        QTRY_COMPARE_WITH_TIMEOUT(XSession::focusedWindow(), QString::number(other.winId()), 5000);

        QCOMPARE(game.startAgain(), 0);
        QCOMPARE(XSession::boardWindows(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(XSession::focusedWindow(), front, 5000);
        QCOMPARE(TestFiles::read(TestFiles::settingsFile(config.path())), QByteArray("[Settings]\nSpeed=0\n"));
        if (speedWindowOpen) {
            game.keys({QStringLiteral("Tab"), QStringLiteral("Return")});
            QVERIFY(game.waitForDialogToClose(XSession::speedWindow));
        }
        QCOMPARE(game.closeByMenu(), 0);
    }
};

QTEST_MAIN(TestScoresEndToEnd)
#include "tst_scores_e2e.moc"
