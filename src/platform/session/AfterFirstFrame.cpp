#include "platform/session/AfterFirstFrame.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

AfterFirstFrame::AfterFirstFrame(std::function<void()> task)
    : m_task(std::move(task))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool AfterFirstFrame::eventFilter(QObject *watched, QEvent *event)
{
    // A window paints and flushes its frame while it handles its first expose;
    // a zero timer queued now runs once that is done.
    const auto *window = qobject_cast<QWindow *>(watched);
    if (event->type() == QEvent::Expose && window && window->isExposed()) {
        QCoreApplication::instance()->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { m_task(); });
    }
    return false;
}
