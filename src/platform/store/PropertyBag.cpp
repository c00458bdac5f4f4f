#include "platform/store/PropertyBag.h"

QVariant PropertyBag::readProperty(const QString &name, const QVariant &defaultValue) const
{
    const qsizetype index = indexOf(name);
    return index < 0 ? defaultValue : m_entries.at(index).value;
}

void PropertyBag::writeProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    // A rewritten name moves to the end, so names() tells the order of the last save.
    const qsizetype index = indexOf(name);
    if (index >= 0)
        m_entries.removeAt(index);
    if (value != defaultValue)
        m_entries.append({name, value});
}

bool PropertyBag::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

QStringList PropertyBag::names() const
{
    QStringList result;
    result.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        result.append(entry.name);
    return result;
}

qsizetype PropertyBag::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).name == name)
            return i;
    }
    return -1;
}
