#include "platform/files/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RegularFile::Identity identityOf(const struct stat &status)
{
    return {qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
            qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec),
            qint64(status.st_ctim.tv_sec), qint64(status.st_ctim.tv_nsec)};
}

} // namespace

RegularFile::Found RegularFile::read(const QString &path, qint64 maxSize, QByteArray &bytes, Identity *identity)
{
    bytes.clear();
    // Non-blocking, so that opening a pipe with no writer returns at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Found::Nothing : Found::Unreadable;
    struct stat status{};
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= maxSize;
    char chunk[64 * 1024];
    while (ok) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n >= 0 && bytes.size() + n <= maxSize;
        if (!ok || n == 0)
            break;
        bytes.append(chunk, n);
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
        return Found::Unreadable;
    }
    if (identity)
        *identity = identityOf(status);
    return Found::Read;
}

std::optional<RegularFile::Identity> RegularFile::identify(const QString &path)
{
    struct stat status{};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return identityOf(status);
}
