#include "platform/pump/QtMessagePump.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

#include <memory>
#include <optional>

using namespace std::chrono_literals;

// The real pump: steps scheduled at deadlines run from whichever event loop is
// running, in the order of their deadlines, never before them, never once cancelled.
class TestQtMessagePump : public QObject
{
    Q_OBJECT

private slots:
    void stepsRunFromTheEventLoopInTheOrderOfTheirDeadlines()
    {
        // schedule() returns at once; later deadlines run later whatever the order of
        // scheduling, equal ones in that order, one already past at the next turn, and
        // none before its deadline.
        QtMessagePump pump;
        const auto start = pump.now();
        QStringList log;
        std::optional<MessagePump::Clock::time_point> lastAt;
        pump.schedule(start + 40ms, [&] {
            log << QStringLiteral("c");
            lastAt = pump.now();
        });
        pump.schedule(start + 20ms, [&] { log << QStringLiteral("b1"); });
        pump.schedule(start + 20ms, [&] { log << QStringLiteral("b2"); });
        pump.schedule(start - 1s, [&] { log << QStringLiteral("a"); });
        QVERIFY(log.isEmpty());
        QTRY_COMPARE(log, (QStringList{"a", "b1", "b2", "c"}));
        QVERIFY(*lastAt >= start + 40ms);
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
        // A dialog opened while a step waits (here by an earlier step) does not hold
        // the step back until it closes: the next deadline is armed before a step runs.
        QtMessagePump pump;
        const auto start = pump.now();
        QStringList log;
        pump.schedule(start + 10ms, [&] {
            QDialog dialog;
            dialog.setModal(true);
            log << QStringLiteral("dialog open");
            dialog.exec();
            log << QStringLiteral("dialog closed");
        });
        pump.schedule(start + 40ms, [&] {
            log << QStringLiteral("step behind the dialog");
            QApplication::activeModalWidget()->close();
        });
        QTRY_COMPARE(log, (QStringList{"dialog open", "step behind the dialog", "dialog closed"}));
    }
};

QTEST_MAIN(TestQtMessagePump)
#include "tst_qtmessagepump.moc"
