#pragma once

#include "platform/store/IniDocument.h"
#include "platform/store/SettingsStore.h"

#include <QByteArray>
#include <QString>

#include <map>

// The settings store as one INI file per application, <folder>/<app>/<app>.ini.
//
// Each file is read at the first get or save for its application (again after reload()),
// and replaced whole at flush() (temporary file, checked writes, fsync, rename), or when
// the store is destroyed with saves not yet flushed. No lock is taken: a copy of the game
// that must keep what another copy wrote reloads just before it saves and flushes.
//
// What is at the path decides what the store may do with it:
// - nothing: the defaults, and the file is made at the first flush;
// - a regular file: every key it can read is read, whatever else the file holds; when
//   something in it could not be read, the original is kept as <app>.ini.bad before the
//   file is first replaced, so that nothing a player had is lost;
// - anything the store cannot read whole (a pipe, device or folder, a file it may not
//   read, one larger than any the store writes): the defaults, without waiting, and the
//   path is never replaced.
class IniSettingsStore final : public SettingsStore
{
public:
    // $XDG_CONFIG_HOME when it is an absolute path, else the home folder's .config;
    // the home is $HOME or, without a usable one, the account's. Empty when there is no
    // home other than the root folder: then nothing is read or written.
    static QString userConfigFolder();

    explicit IniSettingsStore(const QString &configFolder = userConfigFolder());
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore &) = delete;
    IniSettingsStore &operator=(const IniSettingsStore &) = delete;

    QString get(const QString &app, const QString &section, const QString &key,
                const QString &defaultValue) override;
    void save(const QString &app, const QString &section, const QString &key,
              const QString &text) override;
    bool flush() override;
    void reload() override;

    // Where the file of app lives; empty when the store has no folder.
    QString fileName(const QString &app) const;

    // Larger files are not read, and no larger file is written.
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

private:
    struct File
    {
        IniDocument document;
        QByteArray original; // kept only while it must still be copied aside
        bool keepOriginal{false};
        bool replaceable{true};
        bool unsaved{false};
    };

    File &fileFor(const QString &app);
    bool write(const QString &app, File &file);

    QString mFolder;
    std::map<QString, File> mFiles;
};
