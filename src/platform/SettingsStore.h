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
    virtual void save(const QString &app, const QString &section, const QString &key,
                      const QString &text) = 0;
};
