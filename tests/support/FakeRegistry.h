#pragma once

#include "platform/shell/Registry.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>

// An in-memory registry with the classic call semantics: keys below the roots,
// typed values, handles that must be closed, and access rights per key.
class FakeRegistry final : public Registry
{
public:
    struct Open
    {
        HKEY root{};
        QByteArray subKey;
        quint32 accessMask{};
    };

    // Adds a key; accessGranted limits the rights it can be opened with.
    void addKey(HKEY root, const QByteArray &subKey, quint32 accessGranted = 0xFFFFFFFFu);
    // Sets a value (adding its key), stored exactly as the bytes given.
    void setValue(HKEY root, const QByteArray &subKey, const QByteArray &name, quint32 type,
                  const QByteArray &bytes);
    // A string value stored with its terminating zero.
    void setString(HKEY root, const QByteArray &subKey, const QByteArray &name,
                   const QByteArray &text, quint32 type = REG_SZ);

    qint32 regOpenKeyEx(HKEY key, const QByteArray &subKey, quint32 options, quint32 accessMask,
                        HKEY *result) override;
    qint32 regQueryValueEx(HKEY key, const QByteArray &valueName, quint32 *type, char *data,
                           quint32 *dataSize) override;
    qint32 regCloseKey(HKEY key) override;

    // Handles opened and not yet closed.
    int openHandles() const { return int(m_handles.size()); }

    QList<Open> opens;
    QList<QByteArray> queries;
    int closes{0};

private:
    struct Value
    {
        quint32 type{};
        QByteArray bytes;
    };
    struct Key
    {
        quint32 accessGranted{};
        QMap<QByteArray, Value> values; // by lower-case name
    };
    using KeyId = QPair<HKEY, QByteArray>; // root and lower-case path

    QMap<KeyId, Key> m_keys;
    QHash<HKEY, KeyId> m_handles;
    HKEY m_nextHandle{0x100};
};
