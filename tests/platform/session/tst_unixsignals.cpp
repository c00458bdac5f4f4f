#include "platform/session/UnixSignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

namespace {

volatile std::sig_atomic_t earlierHandlerRuns = 0;

extern "C" void earlierHandler(int)
{
    earlierHandlerRuns = earlierHandlerRuns + 1;
}

} // namespace

// Signals that end the program reach it as a Qt signal from its event loop, never in
// the middle of whatever it was doing.
class TestUnixSignals : public QObject
{
    Q_OBJECT

private slots:
    void eachSignalArrivesFromTheEventLoop_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void eachSignalArrivesFromTheEventLoop()
    {
        // The handler only records the signal; the Qt signal follows once the loop runs.
        QFETCH(int, number);
        UnixSignals watched({SIGTERM, SIGHUP, SIGINT});
        QSignalSpy received(&watched, &UnixSignals::received);
        QCOMPARE(::raise(number), 0);
        QCOMPARE(received.count(), 0);
        QVERIFY(received.wait());
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toInt(), number);
    }

    void aSignalIgnoredAtStartStaysIgnored()
    {
        // Started with nohup, a closed terminal neither ends the game nor reaches it.
        std::signal(SIGHUP, SIG_IGN);
        {
            UnixSignals watched({SIGHUP, SIGTERM});
            QSignalSpy received(&watched, &UnixSignals::received);
            QCOMPARE(::raise(SIGHUP), 0);
            QCOMPARE(::raise(SIGTERM), 0);
            QVERIFY(received.wait());
            QCoreApplication::processEvents();
            QCOMPARE(received.count(), 1);
            QCOMPARE(received.first().first().toInt(), SIGTERM);
        }
        std::signal(SIGHUP, SIG_DFL);
    }

    void aFloodOfSignalsNeverBlocksAndIsReportedOnce()
    {
        // More signals than the pipe holds: the handler never waits, and the loop hears of
        // them once.
        UnixSignals watched({SIGINT});
        QSignalSpy received(&watched, &UnixSignals::received);
        for (int i = 0; i < 200000; ++i)
            ::raise(SIGINT);
        QVERIFY(received.wait());
        QCoreApplication::processEvents();
        QCOMPARE(received.count(), 1);
    }

    void destroyingItPutsTheEarlierHandlerBack()
    {
        // While it lives the signal is its own; afterwards the earlier handler has it again.
        std::signal(SIGTERM, earlierHandler);
        earlierHandlerRuns = 0;
        {
            UnixSignals watched({SIGTERM});
            QSignalSpy received(&watched, &UnixSignals::received);
            ::raise(SIGTERM);
            QVERIFY(received.wait());
            QCOMPARE(int(earlierHandlerRuns), 0);
        }
        ::raise(SIGTERM);
        QCOMPARE(int(earlierHandlerRuns), 1);
        std::signal(SIGTERM, SIG_DFL);
    }
};

QTEST_GUILESS_MAIN(TestUnixSignals)
#include "tst_unixsignals.moc"
