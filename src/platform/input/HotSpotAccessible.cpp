#include "platform/input/HotSpotAccessible.h"

#include "platform/input/HotSpot.h"
#include "platform/input/HotSpotRouter.h"

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
    if (!m_spot)
        return {};
    switch (t) {
    case QAccessible::Name:
        return m_spot->accessibleName();
    case QAccessible::Description:
        return m_spot->accessibleDescription();
    default:
        return {};
    }
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

void *HotSpotAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
}

QStringList HotSpotAccessible::actionNames() const
{
    return {pressAction()};
}

void HotSpotAccessible::doAction(const QString &actionName)
{
    if (actionName != pressAction() || !isValid())
        return;
    if (auto *router = m_host->findChild<HotSpotRouter *>(QString(), Qt::FindDirectChildrenOnly))
        router->click(m_spot);
}

QStringList HotSpotAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}
