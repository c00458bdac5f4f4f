#include "support/FakeMessagePump.h"

#include <algorithm>

void FakeMessagePump::doEvents()
{
    ++yields;
    if (!m_injected.empty()) {
        auto action = std::move(m_injected.front());
        m_injected.pop_front();
        action();
    }
    if (onYield)
        onYield();
}

quint64 FakeMessagePump::schedule(Clock::time_point deadline, std::function<void()> step)
{
    const std::chrono::duration<double> wait = deadline - m_now;
    deadlines.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(deadline.time_since_epoch()).count());
    waits.push_back(wait.count());
    if (onWait)
        onWait(wait.count());
    m_pending.emplace(std::pair{deadline, ++m_lastId}, std::move(step));
    return m_lastId;
}

void FakeMessagePump::cancel(quint64 id)
{
    std::erase_if(m_pending, [id](const auto &entry) { return entry.first.second == id; });
}

bool FakeMessagePump::runNext()
{
    if (m_pending.empty())
        return false;
    auto next = m_pending.extract(m_pending.begin());
    m_now = std::max(m_now, next.key().first);
    next.mapped()();
    return true;
}

void FakeMessagePump::runPending()
{
    while (runNext()) {
    }
}

void FakeMessagePump::inject(std::function<void()> action)
{
    m_injected.push_back(std::move(action));
}
