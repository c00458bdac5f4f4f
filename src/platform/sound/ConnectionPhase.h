#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// Where a sound layer's connection made in the background stands, set by the
// thread that makes it and read by the user-interface thread.
class ConnectionPhase final
{
public:
    enum class Phase { Connecting, Audible, Silent };

    void settle(Phase phase);
    // The last attempt failed; never waits.
    bool hasFailed() const;
    // Whether the connection is audible, waiting at most timeout while it is under way.
    bool waitAudible(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Phase m_phase{Phase::Connecting};
};
