#include "platform/HotSpotRouter.h"

#include "platform/HotSpot.h"
#include "platform/HotSpotHostAccessible.h"
#include "platform/MouseCodes.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

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
        case QEvent::MouseButtonDblClick:
            press(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseButtonRelease:
            release(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::Hide:
            releaseCapture();
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::WindowBlocked) {
        // A modal window now takes the mouse; the release would never reach us.
        releaseCapture();
    }
    return QObject::eventFilter(watched, event);
}

void HotSpotRouter::press(QMouseEvent *event)
{
    HotSpot *target = m_captured ? m_captured.data() : hotSpotAt(event->position());
    if (!target || !target->isEnabled())
        return;
    m_captured = target;
    m_capturedButtons |= event->button();
    const QPointF at = event->position() - target->geometry().topLeft();
    emit target->mouseDown(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                           float(at.x()), float(at.y()));
}

void HotSpotRouter::release(QMouseEvent *event)
{
    if (!m_captured || !(m_capturedButtons & event->button()))
        return;
    HotSpot *target = m_captured;
    m_capturedButtons &= ~event->button();
    if (m_capturedButtons == 0)
        m_captured = nullptr;
    const QPointF at = event->position() - target->geometry().topLeft();
    emit target->mouseUp(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                         float(at.x()), float(at.y()));
}

void HotSpotRouter::releaseCapture()
{
    if (!m_captured)
        return;
    HotSpot *target = m_captured;
    const int buttons = m_capturedButtons;
    m_captured = nullptr;
    m_capturedButtons = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & button)
            emit target->mouseUp(MouseCodes::button(button), 0, 0.0f, 0.0f);
    }
}
