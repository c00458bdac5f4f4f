#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// Reading a file that anyone may have replaced: only a regular file of bounded size is
// read, and nothing ever waits on what is at the path (a pipe or a device there would
// block or never end).
class RegularFile
{
public:
    enum class Found { Nothing, Read, Unreadable };
    // Device, inode, size and the times of the last change: equal only for the same,
    // unchanged file.
    using Identity = std::array<qint64, 7>;

    // The whole file into bytes: Nothing when no file is at the path, Unreadable when
    // what is there is no regular file, is larger than maxSize or cannot be read.
    static Found read(const QString &path, qint64 maxSize, QByteArray &bytes, Identity *identity = nullptr);
    // The identity of the file at path, without opening it.
    static std::optional<Identity> identify(const QString &path);
};
