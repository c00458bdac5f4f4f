#include "support/ModalAnswer.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

ModalAnswer::ModalAnswer(std::function<void(QWidget &)> answer)
    : m_answer(std::move(answer))
{
    connect(&m_poll, &QTimer::timeout, this, &ModalAnswer::answerNew);
    m_poll.start(0);
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        QWidget *window = m_windows.last();
        if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
            dialog->done(-1);
        else if (window && window->isVisible())
            window->close();
    });
}

void ModalAnswer::pressEnter(QWidget &window)
{
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_Return);
}

void ModalAnswer::answerNew()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window || (!m_windows.isEmpty() && m_windows.last() == window))
        return;
    m_windows.append(window);
    m_watchdog.start(5000);
    // Queued: an answer may open another modal window, and a timer does not fire again
    // inside its own handler.
    QMetaObject::invokeMethod(
        this, [this, answered = QPointer(window)] { if (answered) m_answer(*answered); }, Qt::QueuedConnection);
}

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
