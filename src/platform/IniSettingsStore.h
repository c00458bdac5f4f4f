#pragma once

#include "platform/SettingsStore.h"

#include <QString>

#include <map>
#include <memory>

class QSettings;

// The settings store as one INI file per application, <folder>/<app>/<app>.ini, where the
// folder is $XDG_CONFIG_HOME (default ~/.config) unless one is given.
//
// Writing: save() changes the values in memory at once; the file is replaced when the
// event loop next runs, when the application quits or when the store is destroyed,
// whichever comes first. So the twelve values of a shut-down reach the disk as one file,
// in one atomic replacement (temporary file, fsync, rename): the file holds either the
// previous run's values or all of the new ones, never a mix and never a partial file.
// A write that fails (folder or file not writable, disk full) leaves the previous file
// as it was, shows nothing and does not wait.
class IniSettingsStore final : public SettingsStore
{
public:
    explicit IniSettingsStore(const QString &configFolder = QString());
    ~IniSettingsStore() override;

    QString get(const QString &app, const QString &section, const QString &key,
                const QString &defaultValue) override;
    void save(const QString &app, const QString &section, const QString &key,
              const QString &text) override;

    QString fileName(const QString &app) const;

private:
    QSettings &settingsFor(const QString &app);

    QString mFolder;
    std::map<QString, std::unique_ptr<QSettings>> mFiles;
};
