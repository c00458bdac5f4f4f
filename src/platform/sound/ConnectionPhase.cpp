#include "platform/sound/ConnectionPhase.h"

void ConnectionPhase::settle(Phase phase)
{
    const std::lock_guard lock(m_mutex);
    m_phase = phase;
    m_changed.notify_all();
}

bool ConnectionPhase::hasFailed() const
{
    const std::lock_guard lock(m_mutex);
    return m_phase == Phase::Silent;
}

bool ConnectionPhase::waitAudible(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [this] { return m_phase != Phase::Connecting; });
    return m_phase == Phase::Audible;
}
