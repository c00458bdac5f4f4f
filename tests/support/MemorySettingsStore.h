#pragma once

#include "platform/store/SettingsStore.h"

#include <QMap>
#include <QString>
#include <QStringList>

// An in-memory settings store that logs every read and write in order, and counts flushes.
class MemorySettingsStore final : public SettingsStore
{
public:
    QString get(const QString &app, const QString &section, const QString &key,
                const QString &defaultValue) override;
    void save(const QString &app, const QString &section, const QString &key, const QString &text) override;
    bool flush() override;
    // values is the lasting store itself: a test writes it as another program would.
    void reload() override {}

    static QString path(const QString &app, const QString &section, const QString &key);

    QMap<QString, QString> values;  // by path()
    QStringList reads;              // "section/key", in order
    QStringList writes;             // "section/key", in order
    int flushes{0};                 // calls of flush()
};
