#include "platform/IniSettingsStore.h"

#include "platform/IniCodec.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

QString settingsKey(const QString &section, const QString &key)
{
    return section.isEmpty() ? key : section + u'/' + key;
}

} // namespace

IniSettingsStore::IniSettingsStore(const QString &configFolder)
    : mFolder{configFolder.isEmpty()
                  ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                  : configFolder}
{
}

IniSettingsStore::~IniSettingsStore()
{
    for (auto &[app, settings] : mFiles)
        settings->sync();
}

QString IniSettingsStore::fileName(const QString &app) const
{
    return mFolder + u'/' + app + u'/' + app + QStringLiteral(".ini");
}

QString IniSettingsStore::get(const QString &app, const QString &section, const QString &key,
                              const QString &defaultValue)
{
    const QVariant value = settingsFor(app).value(settingsKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma in a hand-edited file makes a list; the player still gets the text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void IniSettingsStore::save(const QString &app, const QString &section, const QString &key,
                            const QString &text)
{
    // QSettings queues the file update for the next pass of the event loop, which gathers
    // all the saves of one handler into one write.
    settingsFor(app).setValue(settingsKey(section, key), text);
}

QSettings &IniSettingsStore::settingsFor(const QString &app)
{
    auto &settings = mFiles[app];
    if (!settings) {
        settings = std::make_unique<QSettings>(fileName(app), IniCodec::format());
        // Never fall back to writing the file in place when no temporary file can be made.
        settings->setAtomicSyncRequired(true);
        if (auto *application = QCoreApplication::instance())
            QObject::connect(application, &QCoreApplication::aboutToQuit, settings.get(),
                             [file = settings.get()] { file->sync(); });
    }
    return *settings;
}
