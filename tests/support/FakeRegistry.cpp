#include "support/FakeRegistry.h"

#include <cstring>

void FakeRegistry::addKey(HKEY root, const QByteArray &subKey, quint32 accessGranted)
{
    m_keys[{root, subKey.toLower()}].accessGranted = accessGranted;
}

void FakeRegistry::setValue(HKEY root, const QByteArray &subKey, const QByteArray &name,
                            quint32 type, const QByteArray &bytes)
{
    const KeyId id{root, subKey.toLower()};
    if (!m_keys.contains(id))
        addKey(root, subKey);
    m_keys[id].values[name.toLower()] = Value{type, bytes};
}

void FakeRegistry::setString(HKEY root, const QByteArray &subKey, const QByteArray &name,
                             const QByteArray &text, quint32 type)
{
    QByteArray bytes = text;
    bytes.append('\0');
    setValue(root, subKey, name, type, bytes);
}

qint32 FakeRegistry::regOpenKeyEx(HKEY key, const QByteArray &subKey, quint32, quint32 accessMask,
                                  HKEY *result)
{
    opens.append({key, subKey, accessMask});
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    const auto found = m_keys.constFind({key, subKey.toLower()});
    if (found == m_keys.constEnd())
        return ERROR_FILE_NOT_FOUND;
    if ((accessMask & ~found->accessGranted) != 0)
        return ERROR_ACCESS_DENIED;
    *result = m_nextHandle++;
    m_handles.insert(*result, found.key());
    return ERROR_SUCCESS;
}

qint32 FakeRegistry::regQueryValueEx(HKEY key, const QByteArray &valueName, quint32 *type,
                                     char *data, quint32 *dataSize)
{
    queries.append(valueName);
    const auto handle = m_handles.constFind(key);
    if (handle == m_handles.constEnd())
        return ERROR_INVALID_HANDLE;
    const Key &stored = m_keys[*handle];
    const auto value = stored.values.constFind(valueName.toLower());
    if (value == stored.values.constEnd())
        return ERROR_FILE_NOT_FOUND;
    if (data && !dataSize)
        return ERROR_INVALID_PARAMETER;
    if (type)
        *type = value->type;
    if (!dataSize)
        return ERROR_SUCCESS;
    const quint32 needed = quint32(value->bytes.size());
    if (data && *dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    if (data && needed > 0)
        std::memcpy(data, value->bytes.constData(), needed);
    *dataSize = needed;
    return ERROR_SUCCESS;
}

qint32 FakeRegistry::regCloseKey(HKEY key)
{
    ++closes;
    return m_handles.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
