#pragma once

#include <QObject>

#include <csignal>
#include <initializer_list>
#include <vector>

class QSocketNotifier;

// Unix signals as a Qt signal on the thread that made this object, in the way Qt's
// documentation gives: the handler only writes the signal's number into a pipe that
// a socket notifier watches, so whatever the signal interrupted goes on undisturbed.
// A signal that was ignored when the program started (nohup, a background job) stays
// ignored. One object at a time; destroying it puts the earlier handlers back.
class UnixSignals final : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignals(std::initializer_list<int> numbers, QObject *parent = nullptr);
    ~UnixSignals() override;
    UnixSignals(const UnixSignals &) = delete;
    UnixSignals &operator=(const UnixSignals &) = delete;

signals:
    void received(int number);

private:
    void readPipe();

    struct Previous
    {
        int number;
        struct sigaction action;
    };
    std::vector<Previous> m_previous;
    int m_readEnd{-1};
    QSocketNotifier *m_notifier{};
};
