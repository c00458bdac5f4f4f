#include "platform/input/HotSpotAccessible.h"

#include "platform/input/HotSpot.h"

#include <QWidget>
#include <QWindow>

HotSpotAccessible::HotSpotAccessible(HotSpot *spot, QWidget *host)
    : m_spot(spot)
    , m_host(host)
{
}

bool HotSpotAccessible::isValid() const
{
    return m_spot && m_host;
}

QObject *HotSpotAccessible::object() const
{
    return m_spot;
}

QWindow *HotSpotAccessible::window() const
{
    return m_host ? m_host->window()->windowHandle() : nullptr;
}

QAccessibleInterface *HotSpotAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_host.data());
}

QAccessibleInterface *HotSpotAccessible::child(int) const
{
    return nullptr;
}

int HotSpotAccessible::childCount() const
{
    return 0;
}

int HotSpotAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *HotSpotAccessible::childAt(int, int) const
{
    return nullptr;
}

QString HotSpotAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name && m_spot ? m_spot->accessibleName() : QString();
}

void HotSpotAccessible::setText(QAccessible::Text, const QString &)
{
}

QRect HotSpotAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect local = m_spot->geometry().toAlignedRect();
    return QRect(m_host->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role HotSpotAccessible::role() const
{
    return QAccessible::Button;
}

QAccessible::State HotSpotAccessible::state() const
{
    QAccessible::State state;
    state.disabled = !m_spot || !m_spot->isEnabled();
    state.invisible = !m_host || !m_host->isVisible();
    return state;
}
