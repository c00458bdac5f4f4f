#pragma once

#include <QObject>

#include <functional>

// Runs a task once, right after the program's first window has been put on
// screen, so that work its first sight does not need stays out of its way.
// Dropping the object before then drops the task.
class AfterFirstFrame final : public QObject
{
public:
    explicit AfterFirstFrame(std::function<void()> task);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_task;
};
