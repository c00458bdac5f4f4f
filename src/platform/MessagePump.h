#pragma once

// Hands pending window messages to their handlers, once or for a while.
// Handlers that wait or yield through it may be re-entered by menus, the New Game
// button, timer ticks and the closing of the window.
class MessagePump
{
public:
    virtual ~MessagePump() = default;
    // Handles the events pending now, then returns.
    virtual void doEvents() = 0;
    // Returns after the given time, handling events meanwhile without spinning a core.
    virtual void wait(double seconds) = 0;
};
