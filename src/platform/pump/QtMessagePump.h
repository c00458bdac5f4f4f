#pragma once

#include "platform/pump/MessagePump.h"

#include <memory>
#include <vector>

class QSocketNotifier;

// The real pump. Continuations wait on one kernel timer on the monotonic clock (a
// timerfd armed with the earliest deadline, to the nanosecond) that the event loop
// watches, so a step runs at its deadline from whichever loop is running, a modal
// window's included, with no polling and no nested loop.
class QtMessagePump final : public MessagePump
{
public:
    QtMessagePump();
    ~QtMessagePump() override;

    void doEvents() override;
    Clock::time_point now() const override;
    quint64 schedule(Clock::time_point deadline, std::function<void()> step) override;
    void cancel(quint64 id) override;

private:
    struct Pending
    {
        Clock::time_point deadline;
        quint64 id;
        std::function<void()> step;
    };

    std::vector<Pending>::iterator earliest();
    void arm();
    void runDue();

    int m_timerFd{-1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::vector<Pending> m_pending;
    quint64 m_lastId{0};
};
