#pragma once

#include <condition_variable>
#include <mutex>

// Where a sound layer's connection made in the background stands, set by the
// thread that makes it and read by the user-interface thread.
class ConnectionPhase final
{
public:
    enum class Phase { Connecting, Audible, Silent };

    // The sound layers' common timings. Ready this long after a tone or prepare(),
    // so the tones of a game (at most a player's pause apart) never wake the
    // device; then at rest.
    static constexpr int kReadyMilliseconds = 10000;
    // Between attempts to reach a server that was not there or went away.
    static constexpr int kRetryMilliseconds = 2000;

    void settle(Phase phase);
    // The last attempt failed; never waits.
    bool hasFailed() const;
    // Whether the connection is audible, waiting a few seconds while it is under way.
    bool waitAudible() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Phase m_phase{Phase::Connecting};
};
