#include "platform/sound/ConnectionPhase.h"

#include <chrono>

namespace {

constexpr std::chrono::milliseconds kSettle{5000};

} // namespace

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

bool ConnectionPhase::waitAudible() const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, kSettle, [this] { return m_phase != Phase::Connecting; });
    return m_phase == Phase::Audible;
}
