#pragma once

#include <QtGlobal>

class QByteArray;

// The system's key/value store as the classic calls see it: open a sub-key of a
// root, query one value into the caller's buffer, close the key. Names are in the
// 8-bit code page and compared without regard to case; results are error codes.
class Registry
{
public:
    using HKEY = quint32;

    static constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

    static constexpr qint32 ERROR_SUCCESS = 0;
    static constexpr qint32 ERROR_FILE_NOT_FOUND = 2;
    static constexpr qint32 ERROR_ACCESS_DENIED = 5;
    static constexpr qint32 ERROR_INVALID_HANDLE = 6;
    static constexpr qint32 ERROR_INVALID_PARAMETER = 87;
    static constexpr qint32 ERROR_MORE_DATA = 234;

    static constexpr quint32 REG_NONE = 0;
    static constexpr quint32 REG_SZ = 1;
    static constexpr quint32 REG_EXPAND_SZ = 2;
    static constexpr quint32 REG_BINARY = 3;
    static constexpr quint32 REG_DWORD = 4;

    virtual ~Registry() = default;
    // Opens subKey below key with the access rights asked for; on success *result
    // is the new key's handle.
    virtual qint32 regOpenKeyEx(HKEY key, const QByteArray &subKey, quint32 options,
                                quint32 accessMask, HKEY *result) = 0;
    // Reads the value valueName of an open key. On entry *dataSize is the size of
    // data; on success it is the number of bytes stored there (a string's
    // terminating zero included) and *type the value's type. A value that does not
    // fit gives ERROR_MORE_DATA with *dataSize set to the size it needs.
    virtual qint32 regQueryValueEx(HKEY key, const QByteArray &valueName, quint32 *type,
                                   char *data, quint32 *dataSize) = 0;
    virtual qint32 regCloseKey(HKEY key) = 0;
};
