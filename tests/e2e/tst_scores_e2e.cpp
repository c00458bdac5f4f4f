#include "platform/widgets/Twips.h"
#include "support/XSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QRegularExpression>
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

int countColour(const QImage &image, const QRect &rect, QRgb colour)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

// Width of the text drawn in a label: the span of columns holding any pixel that is
// not the label's background (its most common colour).
int inkWidth(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    int first = -1, last = -1;
    for (int x = rect.left(); x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (image.pixel(x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
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

// Section/key -> value, read as the plain text it is.
QHash<QString, QString> readIni(const QString &path)
{
    QHash<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return values;
    QString section;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
        } else if (const qsizetype equals = line.indexOf(u'='); equals > 0) {
            values.insert(section + u'/' + line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
    }
    return values;
}

QString iniPath(const QTemporaryDir &config)
{
    return config.filePath(QStringLiteral("Tessaly/Tessaly.ini"));
}

// A settings file as a player's earlier run might have left it.
bool writeIni(const QTemporaryDir &config, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(iniPath(config)).path());
    QFile file(iniPath(config));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Plays a game that a first wrong press ends, up to the name entry with the keyboard in
// it: New Game, its first light watched, then a press on another light.
void playToTheNameEntry(XSession &game)
{
    const QImage idle = game.grabBoard();
    QCOMPARE(XSession::litLights(idle, idle), 0);
    game.click(QPoint(200, 215));
    int shown = -1;
    QTRY_VERIFY_WITH_TIMEOUT((shown = game.onlyLitLight(idle)) >= 0, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(XSession::litLights(game.grabBoard(), idle), 0, 5000);
    QTest::qWait(400);
    game.click(XSession::lightCentre((shown + 1) % 4));
    const XSession::Window name = game.waitForDialog(XSession::nameWindow);
    QVERIFY2(!name.id.isEmpty(), "a wrong press asked for no name");
    QTRY_COMPARE_WITH_TIMEOUT(XSession::focusedWindow(), name.id, 5000);
}

// Opens a dialog from the board's menus with the keys given; the dialog once it has the
// keyboard, or an empty one.
XSession::Window openDialog(XSession &game, const QStringList &keys, QSize size)
{
    game.focusBoard();
    game.keys(keys);
    const XSession::Window dialog = game.waitForDialog(size);
    for (int i = 0; i < 50 && !dialog.id.isEmpty(); ++i) {
        if (XSession::focusedWindow() == dialog.id)
            return dialog;
        QTest::qWait(100);
    }
    return {};
}

// Waits for a shown window of the game with this title; false when none came.
bool waitForTitled(const QString &title)
{
    const QStringList search{QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                             QRegularExpression::escape(title)};
    for (int i = 0; i < 100; ++i) {
        if (!XSession::run(search).isEmpty())
            return true;
        QTest::qWait(100);
    }
    return false;
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
            QVERIFY2(!openDialog(game, {QStringLiteral("alt+g"), QStringLiteral("a")}, XSession::speedWindow).id.isEmpty(),
                     "Game > Adjust Speed... showed no speed window");
            game.keys({QStringLiteral("f"), QStringLiteral("Tab"), QStringLiteral("Return")});
            QVERIFY2(game.waitForDialogToClose(XSession::speedWindow), "the speed window stayed open after OK");

            // Score 0 beats no one but ties the empty table's first place: the name is asked for.
            playToTheNameEntry(game);
            if (QTest::currentTestFailed())
                return;
            // The offered name is selected, so typing replaces it.
            game.type(typedName);
            game.keys({QStringLiteral("Return")});
            QVERIFY2(game.waitForDialogToClose(XSession::nameWindow), "the name window stayed open after Enter");

            const XSession::Window scores = game.waitForDialog(XSession::scoresWindow);
            QVERIFY2(!scores.id.isEmpty(), "no scores window followed the name");
            QTRY_VERIFY2_WITH_TIMEOUT(countColour(XSession::grabScreen(scores.rect), barRect(0), magenta) > 0,
                                      "no magenta bar behind row 1 of the scores window", 5000);
            firstTable = settledGrab(scores.rect);
            // The bar lies behind row 1 only; the text leaves most of it showing.
            const int barArea = barRect(0).width() * barRect(0).height();
            QVERIFY2(countColour(firstTable, barRect(0), magenta) > barArea * 6 / 10,
                     qPrintable(QStringLiteral("%1 of %2 bar pixels magenta")
                                    .arg(countColour(firstTable, barRect(0), magenta))
                                    .arg(barArea)));
            for (int row = 1; row < rows; ++row)
                QCOMPARE(countColour(firstTable, barRect(row), magenta), 0);
            QVERIFY2(qAbs(inkWidth(firstTable, nameRect(0)) - expectedInkWidth(typedName)) <= widthTolerance,
                     qPrintable(QStringLiteral("row 1 shows a name %1 px wide, the typed one takes %2")
                                    .arg(inkWidth(firstTable, nameRect(0)))
                                    .arg(expectedInkWidth(typedName))));
            for (int row = 1; row < rows; ++row)
                QVERIFY(qAbs(inkWidth(firstTable, nameRect(row)) - expectedInkWidth(anonymous)) <= widthTolerance);

            QTRY_COMPARE_WITH_TIMEOUT(XSession::focusedWindow(), scores.id, 5000);
            game.keys({QStringLiteral("Return")});
            QVERIFY2(game.waitForDialogToClose(XSession::scoresWindow), "the scores window stayed open after Enter");
            QCOMPARE(game.closeByMenu(), 0);
        }

        // The table, the last name and the speed as written at exit.
        const QString iniPath = config.path() + QStringLiteral("/Tessaly/Tessaly.ini");
        QVERIFY2(QFile::exists(iniPath), qPrintable(iniPath));
        const QHash<QString, QString> ini = readIni(iniPath);
        for (int i = 1; i <= rows; ++i) {
            QCOMPARE(ini.value(QStringLiteral("Scores/Score%1").arg(i)), QStringLiteral("0"));
            QCOMPARE(ini.value(QStringLiteral("Scores/Name%1").arg(i)), i == 1 ? typedName : anonymous);
        }
        QCOMPARE(ini.value(QStringLiteral("Scores/Last Name Entered")), typedName);
        QCOMPARE(ini.value(QStringLiteral("Settings/Speed")), QStringLiteral("2"));

        // Started again: Game > High Scores... shows the same table, nothing marked.
        XSession again;
        QVERIFY2(again.start(config.path()), qPrintable(again.error()));
        again.focusBoard();
        again.keys({QStringLiteral("alt+g"), QStringLiteral("h")});
        const XSession::Window scores = again.waitForDialog(XSession::scoresWindow);
        QVERIFY2(!scores.id.isEmpty(), "Game > High Scores... showed no scores window");
        QTRY_VERIFY_WITH_TIMEOUT(inkWidth(XSession::grabScreen(scores.rect), nameRect(0)) > 0, 5000);
        const QImage table = settledGrab(scores.rect);
        QCOMPARE(countColour(table, table.rect(), magenta), 0);
        // The unmarked rows look exactly as they did in the first run.
        for (int row = 1; row < rows; ++row)
            QCOMPARE(table.copy(entryRect(row)), firstTable.copy(entryRect(row)));
        // Row 1 holds another name than row 2 but the same score.
        QVERIFY2(table.copy(nameRect(0)) != table.copy(nameRect(1)), "row 1 shows row 2's name after the restart");
        QCOMPARE(table.copy(scoreRect(0)), table.copy(scoreRect(1)));
        QVERIFY2(qAbs(inkWidth(table, nameRect(0)) - inkWidth(firstTable, nameRect(0))) <= 1,
                 qPrintable(QStringLiteral("row 1's name is %1 px wide now, %2 px in the first run")
                                .arg(inkWidth(table, nameRect(0)))
                                .arg(inkWidth(firstTable, nameRect(0)))));

        QTRY_COMPARE_WITH_TIMEOUT(XSession::focusedWindow(), scores.id, 5000);
        again.keys({QStringLiteral("Return")});
        QVERIFY2(again.waitForDialogToClose(XSession::scoresWindow), "the scores window stayed open after Enter");
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
        QVERIFY(writeIni(config, "[Scores]\nScore1=5\nName1=Ada\n"));
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        if (window == QLatin1String("speed")) {
            QVERIFY(!openDialog(game, {QStringLiteral("alt+g"), QStringLiteral("a")}, XSession::speedWindow).id.isEmpty());
            game.keys({QStringLiteral("f")});
        } else if (window == QLatin1String("name")) {
            playToTheNameEntry(game);
            if (QTest::currentTestFailed())
                return;
            game.type(typedName);
        } else if (window == QLatin1String("clear")) {
            QVERIFY(!openDialog(game, {QStringLiteral("alt+g"), QStringLiteral("h")}, XSession::scoresWindow).id.isEmpty());
            game.keys({QStringLiteral("Tab"), QStringLiteral("space")});
            QVERIFY2(waitForTitled(QStringLiteral("Clear High Scores?")), "Clear High Scores asked nothing");
        } else if (window == QLatin1String("about")) {
            game.focusBoard();
            game.keys({QStringLiteral("alt+h"), QStringLiteral("a")});
            QVERIFY2(waitForTitled(QStringLiteral("About Tessaly")), "Help > About showed no window");
        }
        game.sendSignal(number);
        QVERIFY2(game.waitForExit(), "the game went on after the signal");
        QCOMPARE(game.exitResult(), 0);

        const QHash<QString, QString> ini = readIni(iniPath(config));
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
            playToTheNameEntry(game);
            if (QTest::currentTestFailed())
                return;
            game.type(typedName);
            game.keys({QStringLiteral("Return")});
            QVERIFY2(!game.waitForDialog(XSession::scoresWindow).id.isEmpty(), "no scores window followed the name");
            game.sendSignal(SIGKILL);
            QVERIFY(game.waitForExit());
            QCOMPARE(game.exitResult(), -1);
        }
        const QHash<QString, QString> ini = readIni(iniPath(config));
        QCOMPARE(ini.value(QStringLiteral("Scores/Name1")), typedName);
        QCOMPARE(ini.value(QStringLiteral("Scores/Last Name Entered")), typedName);
        QVERIFY(QFile::exists(iniPath(config) + QStringLiteral(".lock")));

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
        QVERIFY(writeIni(config, "[Settings]\nSpeed=0\n"));
        XSession game;
        QVERIFY2(game.start(config.path()), qPrintable(game.error()));
        QString front = game.boardWindow();
        if (speedWindowOpen) {
            front = openDialog(game, {QStringLiteral("alt+g"), QStringLiteral("a")}, XSession::speedWindow).id;
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
        QCOMPARE(fileBytes(iniPath(config)), QByteArray("[Settings]\nSpeed=0\n"));
        if (speedWindowOpen) {
            game.keys({QStringLiteral("Tab"), QStringLiteral("Return")});
            QVERIFY(game.waitForDialogToClose(XSession::speedWindow));
        }
        QCOMPARE(game.closeByMenu(), 0);
    }
};

QTEST_MAIN(TestScoresEndToEnd)
#include "tst_scores_e2e.moc"
