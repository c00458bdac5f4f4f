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
    void opensTheGamesPageWithOneOpenCall();
    void eachChoiceOpensThePageAgain();
    void aFailureStaysSilent();
};

void TestModHyperlink::opensTheGamesPageWithOneOpenCall()
{
    // Exactly one request: verb "open", the page address, no parameters or folder,
    // shown normally, owned by the board.
    RecordingShell shell;
    QWidget board;
    modHyperlink::OpenGamesWebPage(shell, &board);
    QCOMPARE(shell.executed.size(), 1);
    const RecordingShell::Execute &call = shell.executed.first();
    QCOMPARE(call.owner.data(), &board);
    QCOMPARE(call.verb, QByteArray("open"));
    QCOMPARE(call.file, gamesPage);
    QVERIFY(call.parameters.isNull());
    QVERIFY(call.directory.isNull());
    QCOMPARE(call.showCommand, Shell::SW_SHOWNORMAL);
    QVERIFY(shell.started.isEmpty());
}

void TestModHyperlink::eachChoiceOpensThePageAgain()
{
    // Nothing is remembered between choices: three choices, three requests.
    RecordingShell shell;
    for (int i = 0; i < 3; ++i)
        modHyperlink::OpenGamesWebPage(shell, nullptr);
    QCOMPARE(shell.executed.size(), 3);
    for (const RecordingShell::Execute &call : std::as_const(shell.executed))
        QCOMPARE(call.file, gamesPage);
}

void TestModHyperlink::aFailureStaysSilent()
{
    // When no browser can be started the call returns quietly, showing no window.
    RecordingShell shell;
    shell.executeResult = false;
    QWidget board;
    board.show();
    modHyperlink::OpenGamesWebPage(shell, &board);
    QCOMPARE(shell.executed.size(), 1);
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
}

QTEST_MAIN(TestModHyperlink)
#include "tst_modHyperlink.moc"
