#include "platform/QtMessagePump.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

void QtMessagePump::doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtMessagePump::wait(double seconds)
{
    const QDeadlineTimer deadline(qint64(seconds * 1000.0 + 0.5), Qt::PreciseTimer);
    if (deadline.hasExpired()) {
        doEvents();
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(int(deadline.remainingTime()));
    // The loop also ends when the application quits (QCoreApplication::exit ends
    // every running loop), so closing the window never leaves a wait hanging.
    loop.exec();
}
