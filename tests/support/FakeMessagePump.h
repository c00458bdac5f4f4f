#pragma once

#include "platform/pump/MessagePump.h"

#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <vector>

// A pump on a clock that stands still until a test runs a continuation: then it
// moves to that continuation's deadline. Continuations wait until the test runs
// them, so a test can act between a step and its rest; actions queued with inject()
// run inside the next yield, one per yield.
class FakeMessagePump final : public MessagePump
{
public:
    void doEvents() override;
    Clock::time_point now() const override { return m_now; }
    quint64 schedule(Clock::time_point deadline, std::function<void()> step) override;
    void cancel(quint64 id) override;

    // Runs action at the next yield.
    void inject(std::function<void()> action);
    bool pendingInjections() const { return !m_injected.empty(); }

    bool hasPending() const { return !m_pending.empty(); }
    // Runs the continuation due first, with the clock at its deadline; false if none waits.
    bool runNext();
    // Runs continuations, and the ones they schedule, until none waits.
    void runPending();
    // Moves the clock on by span without running anything, as for a tick that wakes late.
    void advance(Clock::duration span) { m_now += span; }

    // Every continuation scheduled: its deadline in milliseconds on this clock, which
    // starts at 0, and how long it was to wait in seconds.
    std::vector<qint64> deadlines;
    std::vector<double> waits;
    int yields{0};
    // Called as each continuation is scheduled, for tests that log a timeline.
    std::function<void(double seconds)> onWait;
    // Called at every yield, after any injected action, for drivers that act there.
    std::function<void()> onYield;

private:
    Clock::time_point m_now{};
    quint64 m_lastId{0};
    // Keyed by deadline, then by the order of scheduling.
    std::map<std::pair<Clock::time_point, quint64>, std::function<void()>> m_pending;
    std::deque<std::function<void()>> m_injected;
};
