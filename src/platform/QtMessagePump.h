#pragma once

#include "platform/MessagePump.h"

// The real pump: a nested event loop ended by a precise single-shot timer, so a
// wait sleeps in the kernel and measures time on the monotonic clock.
class QtMessagePump final : public MessagePump
{
public:
    void doEvents() override;
    void wait(double seconds) override;
};
