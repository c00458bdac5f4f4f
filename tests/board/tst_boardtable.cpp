#include "board/frmMain.h"
#include "globals/modGlobals.h"
#include "counter/DisplayCounter.h"
#include "platform/input/HotSpot.h"
#include "scores/frmScores.h"
#include "support/BoardProbe.h"
#include "support/ModalAnswer.h"
#include "support/TestBoard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <functional>

// The board's score table, its stored values and its level counter.
class TestBoardTable : public QObject
{
    Q_OBJECT

    using Table = std::array<qint16, 5>;

    static QStringList expectedKeys()
    {
        QStringList keys;
        for (int i = 1; i <= 5; ++i)
            keys << QStringLiteral("Scores/Score%1").arg(i);
        for (int i = 1; i <= 5; ++i)
            keys << QStringLiteral("Scores/Name%1").arg(i);
        return keys << QStringLiteral("Scores/Last Name Entered") << QStringLiteral("Settings/Speed");
    }

    // Ends a game with the given score by a wrong press.
    static void finishGameWith(TestBoard &t, qint16 score)
    {
        t.probe->setGame(score, score - 1);
        const qint16 due = t.probe->sequence().at(std::size_t(score));
        t.pressAndRelease(qint16((due + 1) % 4));
    }

    // Ends a game at score 0 by a wrong press, with New Game asked for while the release
    // is judged: the new game waits for the game over to finish.
    static void finishGameAskingForANewOne(TestBoard &t)
    {
        t.probe->setGame(0, -1);
        const auto wrong = qint16((t.probe->sequence().at(0) + 1) % 4);
        t.board->imgClick_MouseDown(wrong, HotSpot::vbLeftButton, 0, 0, 0);
        t.board->imgClick_MouseUp(wrong, HotSpot::vbLeftButton, 0, 0, 0);
        t.board->mnuGameNew_Click();
        t.pump.runPending();
    }

    static QImage pixels(QWidget &widget) { return widget.grab().toImage(); }

    static QString stored(const TestBoard &t, const char *section, const char *key)
    {
        return t.store.values.value(MemorySettingsStore::path("Tessaly", section, key));
    }

    // Values that store a table written "score name,score name,...", best first, and a last name entered.
    static QMap<QString, QString> tableValues(const QString &table, const QString &lastName = QString())
    {
        QMap<QString, QString> values;
        if (!lastName.isNull())
            values.insert(MemorySettingsStore::path("Tessaly", "Scores", "Last Name Entered"), lastName);
        int n = 0;
        for (const QString &row : table.split(u',')) {
            values.insert(MemorySettingsStore::path("Tessaly", "Scores", "Score" + QString::number(++n)), row.section(u' ', 0, 0));
            values.insert(MemorySettingsStore::path("Tessaly", "Scores", "Name" + QString::number(n)), row.section(u' ', 1));
        }
        return values;
    }
    static QString storedTable(const TestBoard &t)
    {
        QStringList rows;
        for (const QByteArray n : {"1", "2", "3", "4", "5"})
            rows << stored(t, "Scores", "Score" + n) + u' ' + stored(t, "Scores", "Name" + n);
        return rows.join(u',');
    }

    static void clickOption(QWidget &speedWindow, int index)
    {
        speedWindow.findChild<QAbstractButton *>(QStringLiteral("optSpeed(%1)").arg(index))->click();
    }

private slots:
    void init() { modGlobals::giSpeed = 1; }

    void startUpReadsTwelveValuesAndShutDownWritesThemAll()
    {
        // An empty store gives the defaults; closing writes all twelve keys in order and
        // then makes them lasting in one flush.
        TestBoard t;
        QCOMPARE(t.store.reads, expectedKeys());
        QCOMPARE(t.probe->scores(), (Table{0, 0, 0, 0, 0}));
        for (qint16 i = 0; i < 5; ++i)
            QCOMPARE(t.board->PlayerName(i), QStringLiteral("Anonymous"));
        QCOMPARE(t.board->msLastNameEntered, QStringLiteral("Anonymous"));
        QCOMPARE(modGlobals::giSpeed, qint16(1));
        QVERIFY(t.store.writes.isEmpty());
        QCOMPARE(t.store.flushes, 0);
        t.board->close();
        QCOMPARE(t.store.writes, expectedKeys());
        QCOMPARE(t.store.flushes, 1);
        QCOMPARE(stored(t, "Scores", "Score3"), QStringLiteral("0"));
        t.board->close();
        QCOMPARE(t.store.writes.size(), 12);
        QCOMPARE(t.store.flushes, 1);
    }

    void storedValuesAreReadAsStored_data()
    {
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<qint16>("readScore");
        QTest::addColumn<qint16>("readSpeed");
        QTest::newRow("plain") << "42" << "2" << qint16(42) << qint16(2);
        QTest::newRow("negative") << "-7" << "-3" << qint16(-7) << qint16(-3);
        QTest::newRow("out of range code kept") << "32767" << "9" << qint16(32767) << qint16(9);
        QTest::newRow("empty") << "" << "" << qint16(0) << qint16(1);
        QTest::newRow("letters") << "abc" << "fast" << qint16(0) << qint16(1);
        QTest::newRow("exponent") << "1e3" << "1e0" << qint16(0) << qint16(1);
        QTest::newRow("too large") << "99999" << "40000" << qint16(0) << qint16(1);
        QTest::newRow("leading blank") << " 5" << " 2" << qint16(0) << qint16(1);
        QTest::newRow("hexadecimal") << "0x10" << "0x1" << qint16(0) << qint16(1);
        QTest::newRow("huge") << QString(5000, '9') << QString(5000, '1') << qint16(0) << qint16(1);
    }
    void storedValuesAreReadAsStored()
    {
        // A stored number that is not a whole 16-bit number reads as the default and
        // is written back in proper form; names come back exactly.
        QFETCH(QString, score);
        QFETCH(QString, speed);
        QFETCH(qint16, readScore);
        QFETCH(qint16, readSpeed);
        TestBoard reread(1, {{MemorySettingsStore::path("Tessaly", "Scores", "Score1"), score},
                             {MemorySettingsStore::path("Tessaly", "Scores", "Name1"), QString()},
                             {MemorySettingsStore::path("Tessaly", "Settings", "Speed"), speed}});
        QCOMPARE(reread.board->Score(0), readScore);
        QCOMPARE(reread.board->PlayerName(0), QString());
        QCOMPARE(modGlobals::giSpeed, readSpeed);
        reread.board->close();
        QCOMPARE(stored(reread, "Scores", "Score1"), QString::number(readScore));
        QCOMPARE(stored(reread, "Settings", "Speed"), QString::number(readSpeed));
    }

    void tableIndexesOutsideTheTableFault()
    {
        // Score and PlayerName take 0..4 only; any other index faults and changes nothing.
        TestBoard t;
        for (const qint16 bad : {qint16(-1), qint16(5), qint16(-32768), qint16(32767)}) {
            QVERIFY_THROWS_EXCEPTION(SubscriptOutOfRange, t.board->Score(bad));
            QVERIFY_THROWS_EXCEPTION(SubscriptOutOfRange, t.board->setScore(bad, 9));
            QVERIFY_THROWS_EXCEPTION(SubscriptOutOfRange, t.board->PlayerName(bad));
            QVERIFY_THROWS_EXCEPTION(SubscriptOutOfRange, t.board->setPlayerName(bad, QStringLiteral("x")));
        }
        QCOMPARE(t.probe->scores(), (Table{0, 0, 0, 0, 0}));
        QCOMPARE(t.board->msLastNameEntered, QStringLiteral("Anonymous"));
        t.board->setPlayerName(4, QStringLiteral("Ada"));
        QCOMPARE(t.board->msLastNameEntered, QStringLiteral("Ada"));
        t.board->setScore(4, 3);
        QCOMPARE(t.board->msLastNameEntered, QStringLiteral("Ada"));
    }

    void aFinishedGameTakesItsPlaceInTheTable_data()
    {
        QTest::addColumn<Table>("before");
        QTest::addColumn<qint16>("score");
        QTest::addColumn<Table>("after");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<qint16>("place");
        const Table table{50, 40, 30, 20, 10};
        QTest::newRow("tie goes above") << table << qint16(30) << Table{50, 40, 30, 30, 20}
                                        << QStringList{"A", "B", "New", "C", "D"} << qint16(2);
        QTest::newRow("below the table") << table << qint16(5) << table
                                         << QStringList{"A", "B", "C", "D", "E"} << qint16(-1);
        QTest::newRow("equal to the last") << table << qint16(10) << Table{50, 40, 30, 20, 10}
                                           << QStringList{"A", "B", "C", "D", "New"} << qint16(4);
        QTest::newRow("fresh table, score 0") << Table{0, 0, 0, 0, 0} << qint16(0) << Table{0, 0, 0, 0, 0}
                                              << QStringList{"New", "A", "B", "C", "D"} << qint16(0);
    }
    void aFinishedGameTakesItsPlaceInTheTable()
    {
        // Insertion moves lower entries down with their names; the name entry then
        // names the new place, and the place's old name stays until it does.
        QFETCH(Table, before);
        QFETCH(qint16, score);
        QFETCH(Table, after);
        QFETCH(QStringList, names);
        QFETCH(qint16, place);
        TestBoard t(1, tableValues(QStringLiteral("%1 A,%2 B,%3 C,%4 D,%5 E")
                                       .arg(before[0]).arg(before[1]).arg(before[2]).arg(before[3]).arg(before[4]), "A"));
        QStringList seen;
        const ModalAnswer answer([&](QWidget &modal) {
            seen << modal.objectName();
            if (auto *name = modal.findChild<QLineEdit *>(QStringLiteral("txtName"))) {
                // Before the name is entered the new place keeps the old entry's name,
                // and the box offers the last name entered, all selected.
                seen << t.board->PlayerName(place) << name->selectedText();
                name->setText(QStringLiteral("New"));
            }
            ModalAnswer::pressEnter(modal);
        });
        finishGameWith(t, score);
        QCOMPARE(t.board->miCurrentScorePos, place);
        QCOMPARE(t.probe->scores(), after);
        for (qint16 i = 0; i < 5; ++i)
            QCOMPARE(t.board->PlayerName(i), names.at(i));
        QCOMPARE(modGlobals::giCurrentScorePos, qint16(-1));
        if (place < 0) {
            QVERIFY(seen.isEmpty());
        } else {
            QCOMPARE(seen, (QStringList{"frmNewHighScore", QString(QChar('A' + place)), "A", "frmScores"}));
            QCOMPARE(t.board->msLastNameEntered, QStringLiteral("New"));
        }
        QVERIFY(!t.probe->clickBusy());
    }

    void aNameIsWrittenAsSoonAsItIsEntered()
    {
        // OK in the name entry makes the table lasting before the scores window shows it;
        // closing that window writes nothing more.
        TestBoard t;
        int flushesWhileShown = -1;
        QString nameWhileShown;
        const ModalAnswer answer([&](QWidget &modal) {
            if (auto *name = modal.findChild<QLineEdit *>(QStringLiteral("txtName"))) {
                name->setText(QStringLiteral("Ada"));
            } else {
                flushesWhileShown = t.store.flushes;
                nameWhileShown = stored(t, "Scores", "Name1");
            }
            ModalAnswer::pressEnter(modal);
        });
        finishGameWith(t, 0);
        QCOMPARE(flushesWhileShown, 1);
        QCOMPARE(nameWhileShown, QStringLiteral("Ada"));
        QCOMPARE(t.store.flushes, 1);
    }

    void twoCopiesOfTheGameLoseNoScore_data()
    {
        // A step: this copy adds 30 by Me, or clears, or the other copy stores a table.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("table");
        const QString zeros = ",0 Anonymous,0 Anonymous,0 Anonymous,0 Anonymous", them = "50 A,40 Them,20 B,10 C,5 D",
                      both = "50 A,40 Them,30 Me,20 B,10 C";
        QTest::newRow("add, other adds") << QStringList{"add", both} << both;
        QTest::newRow("other adds, add") << QStringList{them, "add"} << both;
        QTest::newRow("add, other clears") << QStringList{"add", "0 Anonymous" + zeros} << "0 Anonymous" + zeros;
        QTest::newRow("other adds, clear") << QStringList{them, "clear"} << "0 Anonymous" + zeros;
        QTest::newRow("clear, other adds") << QStringList{"clear", "40 Them" + zeros} << "40 Them" + zeros;
        QTest::newRow("other clears, add") << QStringList{"0 Anonymous" + zeros, "add"} << "30 Me" + zeros;
    }
    void twoCopiesOfTheGameLoseNoScore()
    {
        // Each write keeps what is stored and adds, once, what this copy added since, marked
        // where it lands; a Clear clears what was stored then.
        QFETCH(QStringList, steps);
        QFETCH(QString, table);
        TestBoard t(1, tableValues("50 A,20 B,10 C,5 D,1 E", "Me"));
        t.messageBox.fallback = MessageBox::vbYes;
        t.closeDialogsWithDefaults();
        for (const QString &step : steps) {
            if (step == u"add") {
                finishGameWith(t, 30);
                QCOMPARE(t.board->PlayerName(t.board->miCurrentScorePos), QStringLiteral("Me"));
            } else if (step == u"clear") {
                frmScores(*t.board, t.messageBox, t.board.get()).cmdClear_Click();
            } else {
                t.store.values.insert(tableValues(step));
            }
        }
        t.board->close();
        QCOMPARE(storedTable(t), table);
    }

    void aSpeedIsWrittenWhenItsWindowClosesChanged_data()
    {
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<int>("flushes");
        QTest::newRow("Fast") << QList<int>{2} << 1;
        QTest::newRow("untouched") << QList<int>{} << 0;
        QTest::newRow("Fast, then Normal again") << QList<int>{2, 1} << 0;
    }
    void aSpeedIsWrittenWhenItsWindowClosesChanged()
    {
        // Only a window that closes on another code than it opened with writes, and once.
        QFETCH(QList<int>, chosen);
        QFETCH(int, flushes);
        TestBoard t;
        const ModalAnswer answer([&](QWidget &modal) {
            for (const int option : chosen)
                clickOption(modal, option);
            QCOMPARE(t.store.flushes, 0);
            modal.findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
        });
        t.board->mnuGameSpeed_Click();
        QCOMPARE(t.store.flushes, flushes);
        QCOMPARE(stored(t, "Settings", "Speed"), flushes ? QStringLiteral("2") : QString());
    }

    void theSessionEndsFromAnyWindowAndWritesOnce_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("speed");
        const QString typed = QStringLiteral("Zoë \"<b>\" = ;#[x]\\");
        QTest::newRow("no window") << QString() << QStringList{} << "Anonymous" << "1";
        QTest::newRow("name entry, a name typed") << "game over" << QStringList{"frmNewHighScore"} << typed << "1";
        QTest::newRow("name entry, New Game asked for meanwhile")
            << "game over, New Game asked" << QStringList{"frmNewHighScore"} << typed << "1";
        QTest::newRow("speed, Fast chosen") << "speed" << QStringList{"frmSpeed"} << "Anonymous" << "2";
        QTest::newRow("scores") << "scores" << QStringList{"frmScores"} << "Anonymous" << "1";
        QTest::newRow("about") << "about" << QStringList{"frmAbout"} << "Anonymous" << "1";
    }
    void theSessionEndsFromAnyWindowAndWritesOnce()
    {
        // The session's end closes the window open over the board as Escape would, keeps a
        // name being typed as OK would, opens nothing more and writes the values once.
        QFETCH(QString, opener);
        QFETCH(QStringList, windows);
        QFETCH(QString, name);
        QFETCH(QString, speed);
        TestBoard t;
        t.board->show();
        QStringList seen;
        const ModalAnswer ending([&](QWidget &modal) {
            seen << modal.objectName();
            if (seen.size() > 1) {  // opened after the end: a fault, closed so the test goes on
                qobject_cast<QDialog *>(&modal)->reject();
                return;
            }
            if (auto *box = modal.findChild<QLineEdit *>(QStringLiteral("txtName")))
                box->setText(name);
            if (opener == QLatin1String("speed"))
                clickOption(modal, 2);
            t.board->endSession();
        });
        if (opener.isEmpty())
            t.board->endSession();
        else if (opener == QLatin1String("game over"))
            finishGameWith(t, 0);
        else if (opener == QLatin1String("game over, New Game asked"))
            finishGameAskingForANewOne(t);
        else if (opener == QLatin1String("speed"))
            t.board->mnuGameSpeed_Click();
        else if (opener == QLatin1String("scores"))
            t.board->mnuGameScores_Click();
        else
            t.board->mnuHelpAbout_Click();
        QCOMPARE(seen, windows);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!t.board->isVisible());
        QCOMPARE(t.store.flushes, 1);
        QCOMPARE(stored(t, "Scores", "Name1"), name);
        QCOMPARE(stored(t, "Scores", "Last Name Entered"), name);
        QCOMPARE(stored(t, "Settings", "Speed"), speed);
        QCOMPARE(modGlobals::giCurrentScorePos, qint16(-1));
        QVERIFY(!t.probe->tmrShowLights().isActive());
        QVERIFY(!t.probe->lblGameOver().isHidden());
    }

    void theLevelCounterShowsNothingThenZeroThenEachLevel()
    {
        // The counter is blank until the first New Game, 00 then, and 01 after a round.
        TestBoard t;
        DisplayCounter &counter = t.probe->dcLevel();
        QCOMPARE(counter.geometry(), QRect(344, 412, 73, 29));
        QImage blank(counter.size(), QImage::Format_RGB32);
        blank.fill(Qt::black);
        QCOMPARE(pixels(counter).convertToFormat(QImage::Format_RGB32), blank);

        DisplayCounter reference;
        reference.resize(counter.size());
        t.board->mnuGameNew_Click();
        reference.setValue(0);
        QCOMPARE(pixels(counter), pixels(reference));

        t.board->tmrShowLights_Timer();
        t.board->tmrShowLights_Timer();
        t.pump.runPending();
        t.pressAndRelease(t.probe->sequence().at(0));
        reference.setValue(1);
        QCOMPARE(pixels(counter), pixels(reference));
        QCOMPARE(counter.value(), qint16(1));
    }
};

QTEST_MAIN(TestBoardTable)
#include "tst_boardtable.moc"
