#include "support/FakeMessagePump.h"

void FakeMessagePump::doEvents()
{
    ++yields;
    if (!m_anyYield.empty()) {
        auto action = std::move(m_anyYield.front());
        m_anyYield.pop_front();
        action();
    }
}

void FakeMessagePump::wait(double seconds)
{
    waits.push_back(seconds);
    if (onWait)
        onWait(seconds);
    if (!m_inWait.empty()) {
        auto action = std::move(m_inWait.front());
        m_inWait.pop_front();
        action();
    } else {
        doEvents();
    }
}

void FakeMessagePump::inject(std::function<void()> action)
{
    m_anyYield.push_back(std::move(action));
}

void FakeMessagePump::injectInWait(std::function<void()> action)
{
    m_inWait.push_back(std::move(action));
}
