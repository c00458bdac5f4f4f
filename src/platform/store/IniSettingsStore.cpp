#include "platform/store/IniSettingsStore.h"

#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <pwd.h>
#include <unistd.h>

namespace {

// A folder the store may make its own: written as a relative path it would follow the
// working folder, and the root folder belongs to the system.
bool usableFolder(const QString &path)
{
    return QDir::isAbsolutePath(path) && QDir::cleanPath(path) != QLatin1String("/");
}

QString home()
{
    const QString fromEnvironment = qEnvironmentVariable("HOME");
    if (usableFolder(fromEnvironment))
        return fromEnvironment;
    // Started without a home (a service, "env -i"): the account's own.
    passwd entry{};
    passwd *found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found) {
        const QString account = QFile::decodeName(found->pw_dir);
        if (usableFolder(account))
            return account;
    }
    return {};
}

// Replaces path with bytes in one rename, or leaves it as it was. Unbuffered, so that a
// short write is seen by the write itself and the temporary file is never committed.
bool replaceWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size())
        file.cancelWriting();
    return file.commit();
}

} // namespace

QString IniSettingsStore::userConfigFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (usableFolder(fromEnvironment))
        return QDir::cleanPath(fromEnvironment);
    const QString folder = home();
    return folder.isEmpty() ? QString() : QDir::cleanPath(folder + QStringLiteral("/.config"));
}

IniSettingsStore::IniSettingsStore(const QString &configFolder)
    : mFolder{configFolder}
{
}

IniSettingsStore::~IniSettingsStore()
{
    flush();
}

QString IniSettingsStore::fileName(const QString &app) const
{
    if (mFolder.isEmpty())
        return {};
    return mFolder + u'/' + app + u'/' + app + QStringLiteral(".ini");
}

QString IniSettingsStore::get(const QString &app, const QString &section, const QString &key,
                              const QString &defaultValue)
{
    return fileFor(app).document.value(section, key).value_or(defaultValue);
}

void IniSettingsStore::save(const QString &app, const QString &section, const QString &key,
                            const QString &text)
{
    File &file = fileFor(app);
    file.document.setValue(section, key, text);
    file.unsaved = true;
}

bool IniSettingsStore::flush()
{
    bool ok = true;
    for (auto &[app, file] : mFiles) {
        if (file.unsaved)
            ok = write(app, file) && ok;
    }
    return ok;
}

void IniSettingsStore::reload()
{
    mFiles.clear();
}

IniSettingsStore::File &IniSettingsStore::fileFor(const QString &app)
{
    const auto [slot, added] = mFiles.try_emplace(app);
    File &file = slot->second;
    if (!added)
        return file;
    if (mFolder.isEmpty()) {
        file.replaceable = false;
        return file;
    }
    QByteArray bytes;
    switch (RegularFile::read(fileName(app), maxFileSize, bytes)) {
    case RegularFile::Found::Nothing:
        break;
    case RegularFile::Found::Unreadable:
        file.replaceable = false;
        break;
    case RegularFile::Found::Read:
        if (!file.document.parse(bytes)) {
            file.keepOriginal = true;
            file.original = bytes;
        }
        break;
    }
    return file;
}

bool IniSettingsStore::write(const QString &app, File &file)
{
    if (!file.replaceable)
        return false;
    const QString path = fileName(app);
    const QFileInfo existing(path);
    // Whatever is there now and is no regular file (a folder, a pipe) stays as it is.
    if (existing.exists() && !existing.isFile())
        return false;
    const QByteArray text = file.document.text();
    if (text.size() > maxFileSize || !QDir().mkpath(existing.path()))
        return false;
    if (file.keepOriginal) {
        if (!replaceWhole(path + QStringLiteral(".bad"), file.original))
            return false;
        file.keepOriginal = false;
        file.original.clear();
    }
    if (!replaceWhole(path, text))
        return false;
    file.unsaved = false;
    return true;
}
