#include "platform/shell/LinuxRegistry.h"

#include <QByteArray>
#include <QStandardPaths>
#include <QStringList>

#include <cstring>

namespace {
const QByteArray msinfoKey = QByteArrayLiteral("software\\microsoft\\shared tools\\msinfo");
const QByteArray pathValue = QByteArrayLiteral("path");

QString firstSystemInfoProgram()
{
    for (const QString &name : LinuxRegistry::systemInfoPrograms()) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}
} // namespace

QStringList LinuxRegistry::systemInfoPrograms()
{
    return {QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("lshw-gtk"),
            QStringLiteral("cpu-x"),               QStringLiteral("i-nex")};
}

qint32 LinuxRegistry::regOpenKeyEx(HKEY key, const QByteArray &subKey, quint32, quint32,
                                   HKEY *result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    // The view is read from the machine each time and never written, so any access
    // asked for can be granted.
    if (key != HKEY_LOCAL_MACHINE || subKey.toLower() != msinfoKey)
        return ERROR_FILE_NOT_FOUND;
    *result = m_nextHandle++;
    m_open.insert(*result);
    return ERROR_SUCCESS;
}

qint32 LinuxRegistry::regQueryValueEx(HKEY key, const QByteArray &valueName, quint32 *type,
                                      char *data, quint32 *dataSize)
{
    if (!m_open.contains(key))
        return ERROR_INVALID_HANDLE;
    if (valueName.toLower() != pathValue)
        return ERROR_FILE_NOT_FOUND;
    const QString program = firstSystemInfoProgram();
    if (program.isEmpty())
        return ERROR_FILE_NOT_FOUND;

    QByteArray stored = program.toLocal8Bit();
    stored.append('\0');
    if (type)
        *type = REG_SZ;
    if (!dataSize)
        return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const quint32 needed = quint32(stored.size());
    if (data && *dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    if (data)
        std::memcpy(data, stored.constData(), needed);
    *dataSize = needed;
    return ERROR_SUCCESS;
}

qint32 LinuxRegistry::regCloseKey(HKEY key)
{
    return m_open.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
