#pragma once

#include "platform/MessagePump.h"

#include <deque>
#include <functional>
#include <vector>

// Waits return at once; actions queued by a test run inside the next yield or wait,
// one per yield, so a test can inject an event into the middle of a handler.
class FakeMessagePump final : public MessagePump
{
public:
    void doEvents() override;
    void wait(double seconds) override;

    // Runs action at the next yield or wait.
    void inject(std::function<void()> action);
    // Runs action at the next wait (yields before it pass).
    void injectInWait(std::function<void()> action);
    bool pendingInjections() const { return !m_anyYield.empty() || !m_inWait.empty(); }

    std::vector<double> waits;
    int yields{0};
    // Called at every yield and wait, after the injection, for tests that log a timeline.
    std::function<void(double seconds)> onWait;

private:
    std::deque<std::function<void()>> m_anyYield;
    std::deque<std::function<void()>> m_inWait;
};
