#include "platform/session/UnixSignals.h"

#include <QPointer>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t writeEnd = -1;

extern "C" void onSignal(int number)
{
    // A write is all a handler may safely do. The pipe does not block: when it is full,
    // the bytes already in it will wake the reader all the same.
    const int savedErrno = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

UnixSignals::UnixSignals(std::initializer_list<int> numbers, QObject *parent)
    : QObject(parent)
{
    int ends[2];
    // Close-on-exec, so that a program the game starts never holds the pipe.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // the signals keep their default action
    m_readEnd = ends[0];
    writeEnd = ends[1];
    m_notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignals::readPipe);

    struct sigaction action{};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : numbers) {
        struct sigaction previous{};
        if (::sigaction(number, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        if (::sigaction(number, &action, &previous) == 0)
            m_previous.push_back({number, previous});
    }
}

UnixSignals::~UnixSignals()
{
    for (const Previous &previous : m_previous)
        ::sigaction(previous.number, &previous.action, nullptr);
    if (m_readEnd < 0)
        return;
    m_notifier->setEnabled(false);
    ::close(writeEnd);
    writeEnd = -1;
    ::close(m_readEnd);
}

void UnixSignals::readPipe()
{
    // Each signal is reported once for all the times it came since the last reading.
    std::array<bool, 256> came{};
    std::vector<int> order;
    std::array<unsigned char, 64> bytes;
    ssize_t count = 0;
    while ((count = ::read(m_readEnd, bytes.data(), bytes.size())) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            if (!came[bytes[std::size_t(i)]])
                order.push_back(bytes[std::size_t(i)]);
            came[bytes[std::size_t(i)]] = true;
        }
    }
    const QPointer<UnixSignals> alive(this);
    for (const int number : order) {
        if (!alive)
            return;
        emit received(number);
    }
}
