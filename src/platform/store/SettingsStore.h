#pragma once

#include <QString>

// The per-user settings store: text values addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when the application, section or key is absent.
    // A key stored with empty text gives the empty text.
    virtual QString get(const QString &app, const QString &section, const QString &key,
                        const QString &defaultValue) = 0;
    // Creates the application and section when needed and replaces any earlier value.
    // The value is kept from now on, but reaches the lasting store only at flush().
    virtual void save(const QString &app, const QString &section, const QString &key,
                      const QString &text) = 0;
    // Makes every value saved so far lasting now, in one atomic replacement: whatever
    // happens meanwhile, the store holds all of them or what it held before. Returns
    // within a bounded time, never waiting on a lock or on another program. False when
    // the write failed; the store then holds what it held before, and nothing is shown.
    virtual bool flush() = 0;
    // Reads the lasting store again, so that the next get gives what another program made
    // lasting meanwhile. Values saved and not yet flushed are dropped.
    virtual void reload() = 0;
};
