#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal windows that open while it lives, as a player would: made before
// the call that opens one, it hands each modal window to answer once, from inside the
// window's own event loop. A window still open five seconds after its answer is ended
// with the result -1, so that a test whose answer went wrong fails instead of hanging.
class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(std::function<void(QWidget &window)> answer = pressEnter);

    // The first window answered (null once deleted).
    QWidget *first() const { return m_windows.isEmpty() ? nullptr : m_windows.first().data(); }

    // Enter on the window's focused control: what it offers, accepted.
    static void pressEnter(QWidget &window);

private:
    void answerNew();

    std::function<void(QWidget &)> m_answer;
    QList<QPointer<QWidget>> m_windows;
    QTimer m_poll;
    QTimer m_watchdog;
};

// Shows a window and waits until it has the keyboard, as the player sees it.
bool showActive(QWidget &window);

// A control of a window, by its object name.
template <typename T>
T *control(QWidget &window, const QString &name)
{
    return window.findChild<T *>(name);
}
