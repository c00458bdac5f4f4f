#include "support/MemorySettingsStore.h"

QString MemorySettingsStore::path(const QString &app, const QString &section, const QString &key)
{
    return app + QLatin1Char('/') + section + QLatin1Char('/') + key;
}

QString MemorySettingsStore::get(const QString &app, const QString &section, const QString &key,
                                 const QString &defaultValue)
{
    reads.append(section + QLatin1Char('/') + key);
    return values.value(path(app, section, key), defaultValue);
}

void MemorySettingsStore::save(const QString &app, const QString &section, const QString &key,
                               const QString &text)
{
    writes.append(section + QLatin1Char('/') + key);
    values.insert(path(app, section, key), text);
}

bool MemorySettingsStore::flush()
{
    ++flushes;
    return true;
}
