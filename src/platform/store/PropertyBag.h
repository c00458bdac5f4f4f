#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The property bag a container keeps for each of its controls between runs: named
// values, of which only those that differ from their defaults are kept, in the
// order they were last written (the order a saved design lists them in).
class PropertyBag
{
public:
    // The stored value, or defaultValue when the name is not stored.
    QVariant readProperty(const QString &name, const QVariant &defaultValue = {}) const;
    // Stores value under name; a value equal to defaultValue is left out, and drops
    // what was stored under that name before.
    void writeProperty(const QString &name, const QVariant &value, const QVariant &defaultValue = {});

    bool contains(const QString &name) const;
    // The stored names, oldest write first.
    QStringList names() const;
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    struct Entry
    {
        QString name;
        QVariant value;
    };

    qsizetype indexOf(const QString &name) const;

    QList<Entry> m_entries;
};
