#include "platform/pump/QtMessagePump.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

constexpr qint64 nanosecondsPerSecond = 1'000'000'000;

} // namespace

QtMessagePump::QtMessagePump()
    : m_timerFd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    // Only a process out of file descriptors or memory has none; without it no wait
    // would ever end, so say why rather than hang.
    if (m_timerFd < 0)
        qFatal("QtMessagePump: no monotonic timer: %s", std::strerror(errno));
    m_notifier = std::make_unique<QSocketNotifier>(m_timerFd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { runDue(); });
}

QtMessagePump::~QtMessagePump()
{
    m_notifier.reset();
    close(m_timerFd);
}

void QtMessagePump::doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

MessagePump::Clock::time_point QtMessagePump::now() const
{
    // libstdc++'s steady clock is CLOCK_MONOTONIC, the clock the timerfd runs on.
    return Clock::now();
}

quint64 QtMessagePump::schedule(Clock::time_point deadline, std::function<void()> step)
{
    m_pending.push_back({deadline, ++m_lastId, std::move(step)});
    arm();
    return m_lastId;
}

void QtMessagePump::cancel(quint64 id)
{
    const auto found = std::find_if(m_pending.begin(), m_pending.end(), [id](const Pending &p) { return p.id == id; });
    if (found == m_pending.end())
        return;
    m_pending.erase(found);
    arm();
}

std::vector<QtMessagePump::Pending>::iterator QtMessagePump::earliest()
{
    // Equal deadlines run in the order they were scheduled.
    return std::min_element(m_pending.begin(), m_pending.end(), [](const Pending &a, const Pending &b) {
        return a.deadline != b.deadline ? a.deadline < b.deadline : a.id < b.id;
    });
}

void QtMessagePump::arm()
{
    itimerspec spec{};  // all zero disarms
    if (!m_pending.empty()) {
        const qint64 at = std::chrono::duration_cast<std::chrono::nanoseconds>(
                              earliest()->deadline.time_since_epoch()).count();
        spec.it_value.tv_sec = std::max<qint64>(at, 1) / nanosecondsPerSecond;
        spec.it_value.tv_nsec = std::max<qint64>(at, 1) % nanosecondsPerSecond;
    }
    timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &spec, nullptr);
}

void QtMessagePump::runDue()
{
    quint64 expirations = 0;
    while (read(m_timerFd, &expirations, sizeof expirations) < 0 && errno == EINTR) {
    }
    const auto next = earliest();
    if (next == m_pending.end() || next->deadline > now()) {
        arm();
        return;
    }
    const std::function<void()> step = std::move(next->step);
    m_pending.erase(next);
    // Armed before the step runs: if it opens a modal window, that window's loop
    // runs the next step on time.
    arm();
    step();
}
