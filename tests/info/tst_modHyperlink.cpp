#include "info/modHyperlink.h"
#include "platform/shell/Shell.h"
#include "support/RecordingShell.h"

#include <QTest>
#include <QWidget>

namespace {
const QByteArray gamesPage = "http://www.brindlecove.example/games/index.htm";
}

// The web-site menu item's work: one "open" of the maker's games page.
class TestModHyperlink : public QObject
{
    Q_OBJECT

private slots:
    void eachChoiceOpensTheGamesPageWithOneOpenCall_data();
    void eachChoiceOpensTheGamesPageWithOneOpenCall();
};

void TestModHyperlink::eachChoiceOpensTheGamesPageWithOneOpenCall_data()
{
    QTest::addColumn<int>("choices");
    QTest::addColumn<bool>("opens");
    QTest::newRow("once") << 1 << true;
    // Nothing is remembered between choices.
    QTest::newRow("three times") << 3 << true;
    // When no browser can be started the call returns quietly, showing no window.
    QTest::newRow("no browser") << 1 << false;
}

void TestModHyperlink::eachChoiceOpensTheGamesPageWithOneOpenCall()
{
    // Exactly one request a choice: verb "open", the page address, no parameters or
    // folder, shown normally, owned by the board; no window of its own either way.
    QFETCH(int, choices);
    QFETCH(bool, opens);
    RecordingShell shell;
    shell.executeResult = opens;
    QWidget board;
    board.show();
    for (int i = 0; i < choices; ++i)
        modHyperlink::OpenGamesWebPage(shell, &board);
    QCOMPARE(shell.executed.size(), choices);
    for (const RecordingShell::Execute &call : std::as_const(shell.executed)) {
        QCOMPARE(call.owner.data(), &board);
        QCOMPARE(call.verb, QByteArray("open"));
        QCOMPARE(call.file, gamesPage);
        QVERIFY(call.parameters.isNull());
        QVERIFY(call.directory.isNull());
        QCOMPARE(call.showCommand, Shell::SW_SHOWNORMAL);
    }
    QVERIFY(shell.started.isEmpty());
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
}

QTEST_MAIN(TestModHyperlink)
#include "tst_modHyperlink.moc"
