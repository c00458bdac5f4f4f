#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>

#include <functional>

class QWindow;

// Runs a task once the program holds a current X server time. Qt stamps an activation
// with the time of the last X event it has handled, and the X server (or a window
// manager guarding the focus) refuses one older than the last change of focus: after
// another program took the keyboard, a stamp from before is refused. Rewriting a
// property of one of our windows brings an event stamped now; the task runs once Qt
// has taken that time in. Off X11 the task runs on the next turn of the event loop.
class FreshXTime final : public QObject, public QAbstractNativeEventFilter
{
public:
    FreshXTime();
    ~FreshXTime() override;

    // A task still waiting is replaced.
    void then(QWindow *window, std::function<void()> task);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void run();

    std::function<void()> m_task;
    quint32 m_window{};  // the X window whose property change is awaited
    QTimer m_giveUp;     // should the event never come, a stale stamp beats no activation
};
