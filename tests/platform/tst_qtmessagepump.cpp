#include "platform/QtMessagePump.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace std::chrono_literals;

// The real pump: steps scheduled at deadlines run from whichever event loop is
// running, in the order of their deadlines, never before them, never once cancelled.
class TestQtMessagePump : public QObject
{
    Q_OBJECT

    // Opens a modal dialog, as a menu item would, and returns when it has closed.
    static void runModalDialog(QStringList &log)
    {
        QDialog dialog;
        dialog.setModal(true);
        log << QStringLiteral("dialog open");
        dialog.exec();
        log << QStringLiteral("dialog closed");
    }

    // Closes the modal dialog that is up, noting that it was.
    static void closeModalDialog(QStringList &log, const QString &who)
    {
        QWidget *modal = QApplication::activeModalWidget();
        log << who + (modal ? QStringLiteral(" behind the dialog") : QStringLiteral(" with no dialog"));
        if (modal)
            modal->close();
    }

private slots:
    void aStepRunsFromTheEventLoopAtItsDeadline()
    {
        // schedule() returns at once; the step runs later, never before its deadline.
        QtMessagePump pump;
        const auto deadline = pump.now() + 30ms;
        std::optional<MessagePump::Clock::time_point> ranAt;
        pump.schedule(deadline, [&] { ranAt = pump.now(); });
        QVERIFY(!ranAt);
        QTRY_VERIFY(ranAt.has_value());
        QVERIFY(*ranAt >= deadline);
    }

    void aDeadlineAlreadyPastRunsAtTheNextTurnOfTheLoop()
    {
        // A step overdue when scheduled does not run inside schedule() itself.
        QtMessagePump pump;
        bool ran = false;
        pump.schedule(pump.now() - 1s, [&] { ran = true; });
        QVERIFY(!ran);
        QTRY_VERIFY(ran);
    }

    void stepsRunInTheOrderOfTheirDeadlines()
    {
        // Later deadlines run later whatever the order of scheduling; equal ones in that order.
        QtMessagePump pump;
        const auto start = pump.now();
        QStringList log;
        pump.schedule(start + 40ms, [&] { log << QStringLiteral("c"); });
        pump.schedule(start + 10ms, [&] { log << QStringLiteral("a"); });
        pump.schedule(start + 20ms, [&] { log << QStringLiteral("b1"); });
        pump.schedule(start + 20ms, [&] { log << QStringLiteral("b2"); });
        QTRY_COMPARE(log, (QStringList{"a", "b1", "b2", "c"}));
    }

    void aCancelledStepNeverRuns()
    {
        // Cancelling drops the step and leaves the others; spent and unknown ids are ignored.
        QtMessagePump pump;
        const auto start = pump.now();
        QStringList log;
        const quint64 first = pump.schedule(start + 5ms, [&] { log << QStringLiteral("first"); });
        const quint64 dropped = pump.schedule(start + 10ms, [&] { log << QStringLiteral("dropped"); });
        pump.schedule(start + 30ms, [&] { log << QStringLiteral("last"); });
        pump.cancel(dropped);
        QTRY_COMPARE(log, (QStringList{"first", "last"}));
        pump.cancel(first);
        pump.cancel(0);
        pump.cancel(dropped);
        QCoreApplication::processEvents();
        QCOMPARE(log, (QStringList{"first", "last"}));
    }

    void aStepComesDueBehindAModalWindowOpenedWhileItWaited()
    {
        // A dialog opened during the wait does not hold the step back until it closes.
        QtMessagePump pump;
        QStringList log;
        pump.schedule(pump.now() + 50ms, [&] { closeModalDialog(log, QStringLiteral("step")); });
        QTimer::singleShot(0, [&] { runModalDialog(log); });
        QTRY_COMPARE(log, (QStringList{"dialog open", "step behind the dialog", "dialog closed"}));
    }

    void aStepThatOpensAModalWindowLetsTheNextOneRunBehindIt()
    {
        // The next deadline is armed before a step runs, so a step that opens a dialog
        // does not stop the steps after it.
        QtMessagePump pump;
        const auto start = pump.now();
        QStringList log;
        pump.schedule(start + 10ms, [&] { runModalDialog(log); });
        pump.schedule(start + 40ms, [&] { closeModalDialog(log, QStringLiteral("next step")); });
        QTRY_COMPARE(log, (QStringList{"dialog open", "next step behind the dialog", "dialog closed"}));
    }

    void withoutAKernelTimerStepsStillRunInOrderAndOnTime()
    {
        // When no timer descriptor can be had (the process is out of descriptors), a
        // precise Qt timer takes over.
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &limit), 0);
        const int lowestFree = dup(0);
        QVERIFY(lowestFree > 0);
        close(lowestFree);
        rlimit exhausted = limit;
        exhausted.rlim_cur = rlim_t(lowestFree);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &exhausted), 0);
        auto pump = std::make_unique<QtMessagePump>();
        const int probe = dup(0);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &limit), 0);
        QCOMPARE(probe, -1);

        const auto start = pump->now();
        QStringList log;
        std::optional<MessagePump::Clock::time_point> lastAt;
        pump->schedule(start + 30ms, [&] {
            log << QStringLiteral("b");
            lastAt = pump->now();
        });
        const quint64 dropped = pump->schedule(start + 5ms, [&] { log << QStringLiteral("dropped"); });
        pump->schedule(start + 10ms, [&] { log << QStringLiteral("a"); });
        pump->cancel(dropped);
        QTRY_COMPARE(log, (QStringList{"a", "b"}));
        QVERIFY(*lastAt >= start + 30ms);
    }
};

QTEST_MAIN(TestQtMessagePump)
#include "tst_qtmessagepump.moc"
