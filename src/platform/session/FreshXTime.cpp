#include "platform/session/FreshXTime.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <utility>

FreshXTime::FreshXTime()
{
    m_giveUp.setSingleShot(true);
    m_giveUp.setInterval(500);
    connect(&m_giveUp, &QTimer::timeout, this, &FreshXTime::run);
}

FreshXTime::~FreshXTime()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

void FreshXTime::then(QWindow *window, std::function<void()> task)
{
    m_task = std::move(task);
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb")) {
        m_window = 0;
        QMetaObject::invokeMethod(this, &FreshXTime::run, Qt::QueuedConnection);
        return;
    }
    m_window = quint32(window->winId());
    // Only while waiting: it would otherwise see every X event of the program.
    QCoreApplication::instance()->installNativeEventFilter(this);
    // The same title again: the X server stamps the property change with its own time.
    window->setTitle(window->title());
    m_giveUp.start();
}

bool FreshXTime::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (m_window == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY
        && static_cast<const xcb_property_notify_event_t *>(message)->window == m_window) {
        m_window = 0;
        // Queued: Qt takes the event's time in after this filter has seen it.
        QMetaObject::invokeMethod(this, &FreshXTime::run, Qt::QueuedConnection);
    }
    return false;
}

void FreshXTime::run()
{
    m_giveUp.stop();
    m_window = 0;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    if (auto task = std::exchange(m_task, {}))
        task();
}
