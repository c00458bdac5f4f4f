#pragma once

#include <QtGlobal>

#include <chrono>
#include <functional>

// Hands pending window messages to their handlers, and runs the rest of a step at
// its deadline. A step that waits schedules its continuation and returns, so no
// wait ever depends on an outer event loop returning (nested loops unwind last in,
// first out, which froze a wait behind a dialog opened during it).
class MessagePump
{
public:
    using Clock = std::chrono::steady_clock;

    virtual ~MessagePump() = default;
    // Handles the events pending now, then returns; handlers may be re-entered.
    virtual void doEvents() = 0;
    // The monotonic clock deadlines are measured on.
    virtual Clock::time_point now() const = 0;
    // Runs step from the event loop once now() has reached deadline, and returns at
    // once with an id that cancels it. A deadline already past runs at the next turn.
    virtual quint64 schedule(Clock::time_point deadline, std::function<void()> step) = 0;
    // Drops a step that has not run yet; 0 and ids of steps already run are ignored.
    virtual void cancel(quint64 id) = 0;
};
