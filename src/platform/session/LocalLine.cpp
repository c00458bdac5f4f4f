#include "platform/session/LocalLine.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A caller that sends no whole line for this long is dropped.
constexpr int kLineTime = 3000;

std::optional<sockaddr_un> addressOf(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

// Waits for fd to be ready for events; false when the deadline came first.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd watched{fd, events, 0};
        const qint64 left = std::clamp<qint64>(deadline.remainingTime(), 0, 60000);
        const int ready = ::poll(&watched, 1, int(left));
        if (ready >= 0)
            return ready > 0;
        if (errno != EINTR)
            return false;
    }
}

// Ends one caller's connection; its notifier goes once its signal has returned.
void hangUp(int fd, QSocketNotifier *notifier)
{
    if (!notifier->isEnabled())
        return;
    notifier->setEnabled(false);
    ::close(fd);
    notifier->deleteLater();
}

} // namespace

LocalLine::Reply LocalLine::ask(const QString &path, const QByteArray &line, const QDeadlineTimer &deadline)
{
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address)
        return {Outcome::NoListener, {}};
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return {Outcome::NoListener, {}};
    const auto closeIt = qScopeGuard([fd] { ::close(fd); });
    // Refused, absent, or a backlog so full that connecting would block: nobody to ask now.
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0)
        return {Outcome::NoListener, {}};

    for (qsizetype sent = 0; sent < line.size();) {
        if (!waitFor(fd, POLLOUT, deadline))
            return {Outcome::Silent, {}};
        const ssize_t n = ::send(fd, line.constData() + sent, size_t(line.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            return {Outcome::Closed, {}};
        sent += std::max<ssize_t>(n, 0);
    }

    QByteArray answer;
    for (;;) {
        if (!waitFor(fd, POLLIN, deadline))
            return {Outcome::Silent, {}};
        char chunk[256];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return {Outcome::Closed, {}};
        answer.append(chunk, n);
        if (const qsizetype end = answer.indexOf('\n'); end >= 0)
            return {Outcome::Answered, answer.left(end + 1)};
        if (answer.size() > maxLine)
            return {Outcome::Answered, answer};
    }
}

LocalLine::LocalLine(QByteArray reply, std::function<bool(const QByteArray &)> accepts, QObject *parent)
    : QObject(parent)
    , m_reply(std::move(reply))
    , m_accepts(std::move(accepts))
{
}

LocalLine::~LocalLine()
{
    close();
}

bool LocalLine::listen(const QString &path)
{
    close();
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address)
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    ::unlink(address->sun_path);
    // Nobody can connect before listen(), so the socket is this user's before it is anyone's.
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0
        || ::chmod(address->sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LocalLine::takeConnections);
    return true;
}

void LocalLine::close()
{
    if (m_fd < 0)
        return;
    delete m_notifier;
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(QFile::encodeName(m_path).constData());
}

void LocalLine::takeConnections()
{
    for (;;) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        auto pending = std::make_shared<QByteArray>();
        connect(notifier, &QSocketNotifier::activated, this,
                [this, fd, notifier, pending] { readFrom(fd, notifier, *pending); });
        QTimer::singleShot(kLineTime, notifier, [fd, notifier] { hangUp(fd, notifier); });
    }
}

void LocalLine::readFrom(int fd, QSocketNotifier *notifier, QByteArray &pending)
{
    if (!notifier->isEnabled())
        return;
    char chunk[maxLine + 1];
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        hangUp(fd, notifier);
        return;
    }
    pending.append(chunk, n);
    const qsizetype end = pending.indexOf('\n');
    if (end < 0) {
        if (pending.size() > maxLine)
            hangUp(fd, notifier);
        return;
    }
    const QByteArray line = pending.left(end);
    if (line.size() >= maxLine || !m_accepts(line)) {
        hangUp(fd, notifier);
        return;
    }
    emit received(line);
    // A few bytes into an empty socket buffer: they go at once or not at all.
    [[maybe_unused]] const ssize_t sent = ::send(fd, m_reply.constData(), size_t(m_reply.size()), MSG_NOSIGNAL);
    hangUp(fd, notifier);
}
