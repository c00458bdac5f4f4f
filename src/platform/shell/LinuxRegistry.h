#pragma once

#include "platform/shell/Registry.h"

#include <QSet>
#include <QStringList>

// The one corner of the registry the program asks about, answered from this
// machine: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO holds "PATH",
// the first system-information program found on the PATH. Every other key is absent.
class LinuxRegistry final : public Registry
{
public:
    qint32 regOpenKeyEx(HKEY key, const QByteArray &subKey, quint32 options,
                        quint32 accessMask, HKEY *result) override;
    qint32 regQueryValueEx(HKEY key, const QByteArray &valueName, quint32 *type,
                           char *data, quint32 *dataSize) override;
    qint32 regCloseKey(HKEY key) override;

    // The programs looked for, best first.
    static QStringList systemInfoPrograms();

private:
    QSet<HKEY> m_open;
    HKEY m_nextHandle{0x1000};
};
