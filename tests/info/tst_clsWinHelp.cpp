#include "info/clsWinHelp.h"
#include "platform/session/App.h"
#include "platform/help/HelpViewer.h"
#include "support/RecordingHelpViewer.h"

#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>

// The help object: one viewer call per operation, on the current help-file path.
class TestClsWinHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void eachOperationMakesOneViewerCall_data();
    void eachOperationMakesOneViewerCall();
    void eachContentsAsksTheViewerOnTheCurrentPath_data();
    void eachContentsAsksTheViewerOnTheCurrentPath();
    void destructionTellsTheViewerToQuit_data();
    void destructionTellsTheViewerToQuit();
};

using Operation = std::function<void(clsWinHelp &)>;
Q_DECLARE_METATYPE(Operation)

void TestClsWinHelp::init()
{
    App::setHelpFile(QStringLiteral("/opt/tessaly/Tessaly.hlp"));
}

void TestClsWinHelp::eachOperationMakesOneViewerCall_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<quint32>("command");
    QTest::addColumn<quint32>("data");

    QTest::newRow("contents") << Operation(&clsWinHelp::ShowHelpContents) << quint32(3) << quint32(0);
    QTest::newRow("help on help") << Operation(&clsWinHelp::ShowHelpOnHelp) << quint32(4) << quint32(0);
    QTest::newRow("index") << Operation(&clsWinHelp::ShowHelpIndex) << quint32(3) << quint32(0);
    QTest::newRow("quit") << Operation(&clsWinHelp::QuitHelp) << quint32(2) << quint32(0);
    QTest::newRow("context 7") << Operation([](clsWinHelp &h) { h.ShowHelpContext(7); })
                               << quint32(1) << quint32(7);
    QTest::newRow("context 32767") << Operation([](clsWinHelp &h) { h.ShowHelpContext(32767); })
                                   << quint32(1) << quint32(32767);
    // Negative numbers arrive sign-extended, -1 with all 32 bits set.
    QTest::newRow("context -1") << Operation([](clsWinHelp &h) { h.ShowHelpContext(-1); })
                                << quint32(1) << quint32(0xFFFFFFFFu);
    QTest::newRow("context -32768") << Operation([](clsWinHelp &h) { h.ShowHelpContext(-32768); })
                                    << quint32(1) << quint32(0xFFFF8000u);
}

void TestClsWinHelp::eachOperationMakesOneViewerCall()
{
    // Each operation is exactly one call with the command and data word of its kind.
    QFETCH(Operation, operation);
    QFETCH(quint32, command);
    QFETCH(quint32, data);

    RecordingHelpViewer viewer;
    QWidget board;
    {
        clsWinHelp help(viewer, &board);
        operation(help);
        QCOMPARE(viewer.calls.size(), 1);
    }
    const RecordingHelpViewer::Call &call = viewer.calls.first();
    QCOMPARE(call.command, command);
    QCOMPARE(call.data, data);
    QCOMPARE(call.owner.data(), &board);
    QCOMPARE(call.helpFile, QByteArray("/opt/tessaly/Tessaly.hlp"));
}

void TestClsWinHelp::eachContentsAsksTheViewerOnTheCurrentPath_data()
{
    QTest::addColumn<QString>("secondPath");
    QTest::newRow("same path") << QStringLiteral("/opt/tessaly/Tessaly.hlp");
    // The object keeps no copy of the path: a changed path is used at the next call.
    QTest::newRow("path changed between") << QStringLiteral("/usr/lib/tessaly/Tessaly.hlp");
    // A folder name beyond ASCII is handed over as the system's 8-bit text of it.
    QTest::newRow("path beyond ASCII") << QStringLiteral("/home/zo\u00eb/Spiele \u00fcber/Tessaly.hlp");
}

void TestClsWinHelp::eachContentsAsksTheViewerOnTheCurrentPath()
{
    // A second Contents on the same object asks the viewer again, nothing else, on the
    // help-file path as it is then.
    QFETCH(QString, secondPath);
    RecordingHelpViewer viewer;
    clsWinHelp help(viewer, nullptr);
    help.ShowHelpContents();
    App::setHelpFile(secondPath);
    help.ShowHelpContents();
    QCOMPARE(viewer.calls.size(), 2);
    for (const RecordingHelpViewer::Call &call : std::as_const(viewer.calls)) {
        QCOMPARE(call.command, HelpViewer::HELP_CONTENTS);
        QCOMPARE(call.data, quint32(0));
    }
    QCOMPARE(viewer.calls.at(0).helpFile, QByteArray("/opt/tessaly/Tessaly.hlp"));
    QCOMPARE(viewer.calls.at(1).helpFile, secondPath.toLocal8Bit());
    QCOMPARE(QString::fromLocal8Bit(viewer.calls.at(1).helpFile), secondPath);
}

void TestClsWinHelp::destructionTellsTheViewerToQuit_data()
{
    QTest::addColumn<bool>("ownerGone");
    QTest::newRow("after contents") << false;
    // If the owner window is already gone, the quit still goes out, with no owner.
    QTest::newRow("owner gone first") << true;
}

void TestClsWinHelp::destructionTellsTheViewerToQuit()
{
    // Releasing the object closes the viewer for the help file: HELP_QUIT, data 0.
    QFETCH(bool, ownerGone);
    RecordingHelpViewer viewer;
    auto board = std::make_unique<QWidget>();
    auto help = std::make_unique<clsWinHelp>(viewer, board.get());
    if (ownerGone)
        board.reset();
    else
        help->ShowHelpContents();
    help.reset();
    QCOMPARE(viewer.calls.size(), ownerGone ? 1 : 2);
    QCOMPARE(viewer.calls.last().command, HelpViewer::HELP_QUIT);
    QCOMPARE(viewer.calls.last().data, quint32(0));
    QCOMPARE(viewer.calls.last().owner.data(), board.get());
    QCOMPARE(viewer.calls.last().helpFile, QByteArray("/opt/tessaly/Tessaly.hlp"));
}

QTEST_MAIN(TestClsWinHelp)
#include "tst_clsWinHelp.moc"
