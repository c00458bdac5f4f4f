#include "platform/input/HotSpotRouter.h"

#include "platform/input/HotSpot.h"
#include "platform/input/HotSpotHostAccessible.h"
#include "platform/input/MouseCodes.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

int keyCode(int key, Qt::KeyboardModifiers modifiers)
{
    return QKeyCombination(modifiers & Qt::KeypadModifier, Qt::Key(key)).toCombined();
}

} // namespace

HotSpotRouter::HotSpotRouter(QWidget *host)
    : QObject(host)
    , m_host(host)
{
    HotSpotHostAccessible::install();
    host->installEventFilter(this);
    // The top-level window learns first when a modal dialog takes the mouse away.
    if (host->window() != host)
        host->window()->installEventFilter(this);
}

void HotSpotRouter::add(HotSpot *spot)
{
    spot->setHost(m_host);
    m_spots.append(spot);
}

void HotSpotRouter::addKey(QKeyCombination key, HotSpot *spot)
{
    m_keys.insert(keyCode(key.key(), key.keyboardModifiers()), spot);
    m_host->setFocusPolicy(Qt::StrongFocus);
    m_host->setFocus();
}

void HotSpotRouter::addPhysicalKey(quint32 scanCode, HotSpot *spot)
{
    m_physicalKeys.insert(scanCode, spot);
    m_host->setFocusPolicy(Qt::StrongFocus);
}

HotSpot *HotSpotRouter::hotSpotAt(QPointF position) const
{
    for (auto it = m_spots.crbegin(); it != m_spots.crend(); ++it) {
        if ((*it)->isEnabled() && (*it)->contains(position))
            return *it;
    }
    return nullptr;
}

bool HotSpotRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            pressMouse(mouse->button(), mouse->modifiers(), mouse->position());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            releaseMouse(mouse->button(), mouse->modifiers(), mouse->position());
            return true;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return key(static_cast<QKeyEvent *>(event));
        case QEvent::FocusOut: {
            // The key releases now go to another window: a dialog, a menu or another program.
            // A menu opened from the keyboard takes the mouse's too, and so does the menu bar
            // the keyboard went to: the board is not told when a menu of it opens.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            cancel(reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason);
            break;
        }
        case QEvent::Hide:
            cancel(true);
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::WindowBlocked) {
        // A modal window now takes the mouse and the keyboard; no release will reach us.
        cancel(true);
    }
    return QObject::eventFilter(watched, event);
}

void HotSpotRouter::click(HotSpot *spot)
{
    // While a press is held, a mouse click would go to the held hot-spot.
    const QPointF middle = spot->geometry().center();
    if (m_captured || hotSpotAt(middle) != spot)
        return;
    pressMouse(Qt::LeftButton, {}, middle);
    releaseMouse(Qt::LeftButton, {}, middle);
}

void HotSpotRouter::pressMouse(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position)
{
    HotSpot *target = m_captured ? m_captured.data() : hotSpotAt(position);
    if (!target || !target->isEnabled())
        return;
    m_captured = target;
    m_capturedButtons |= button;
    const QPointF at = position - target->geometry().topLeft();
    emit target->mouseDown(MouseCodes::button(button), MouseCodes::shift(modifiers), float(at.x()), float(at.y()));
}

void HotSpotRouter::releaseMouse(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position)
{
    if (!m_captured || !(m_capturedButtons & button))
        return;
    m_capturedButtons &= ~button;
    release(MouseCodes::button(button), modifiers, position - m_captured->geometry().topLeft());
}

bool HotSpotRouter::key(QKeyEvent *event)
{
    const HeldKey key{event->nativeScanCode(), keyCode(event->key(), event->modifiers())};
    HotSpot *target = m_keys.value(key.code);
    if (!target && key.scanCode != 0)
        target = m_physicalKeys.value(key.scanCode);
    const bool held = m_capturedKeys.contains(key);
    if (!target && !held)
        return false;
    if (event->isAutoRepeat())
        return true;
    if (event->type() == QEvent::KeyRelease) {
        if (held && m_capturedKeys.removeOne(key) && m_captured)
            release(0, event->modifiers(), {});
        return true;
    }
    // While another hot-spot is held, a key for this one presses nothing.
    if (held || !target->isEnabled() || (m_captured && m_captured != target))
        return true;
    m_captured = target;
    m_capturedKeys.append(key);
    emit target->mouseDown(0, MouseCodes::shift(event->modifiers()), 0.0f, 0.0f);
    return true;
}

void HotSpotRouter::release(int button, Qt::KeyboardModifiers modifiers, QPointF at)
{
    HotSpot *target = m_captured;
    if (m_capturedButtons == 0 && m_capturedKeys.isEmpty())
        m_captured = nullptr;
    emit target->mouseUp(button, MouseCodes::shift(modifiers), float(at.x()), float(at.y()));
}

void HotSpotRouter::cancel(bool mouseToo)
{
    if (!m_captured || (m_capturedKeys.isEmpty() && !mouseToo))
        return;
    m_capturedKeys.clear();
    if (mouseToo)
        m_capturedButtons = 0;
    // A mouse button still down on the host will bring its own release.
    if (m_capturedButtons != 0)
        return;
    HotSpot *target = m_captured;
    m_captured = nullptr;
    emit target->mouseCancel();
}
