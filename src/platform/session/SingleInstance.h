#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QDeadlineTimer;
class QLockFile;
class LocalLine;

// One running copy of the program for one lock file. The first start takes the lock
// (a QLockFile: one left by a copy that died is taken over) and listens on a Unix-domain socket
// named after it; a later start finds the lock held, asks the holder through that socket
// to show itself, and ends. The socket lies in the user's runtime folder, so a holder in
// another login session (or on another machine sharing the home folder) cannot be asked:
// a start there runs beside it, and takes the later starts of its own session.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    enum class Start {
        First,       // this copy holds the lock; listen() takes the later starts
        Unguarded,   // no lock could be had (no folder, or a holder that never answers)
        HandedOver,  // another copy runs and was asked to show itself: this one ends
        Beside,      // the holder runs in another session; listen() takes this one's later starts
    };

    // An empty lockFile guards nothing: every start is Unguarded.
    explicit SingleInstance(const QString &lockFile, QObject *parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Needs no application object, so that a later start ends before it opens a display.
    // patience bounds the wait for a holder that is still starting or already closing (the
    // last question asked in it may take a second more).
    Start start(std::chrono::milliseconds patience = std::chrono::seconds(3));
    // Takes the requests of later starts; after a First start, once the event loop can run.
    void listen();
    // Stops taking them: a later start then waits for the lock of a copy that is closing.
    void close();

    // The socket of a lock file: in the user's runtime folder, named after the lock
    // file's place with its links resolved, so that two names of one folder meet.
    static QString serverName(const QString &lockFile);

signals:
    // A later start asked to see this copy. The activation token its launcher gave it is
    // in XDG_ACTIVATION_TOKEN while the signal is handled, where Qt's Wayland support
    // looks for one when a window asks to be activated.
    void activationRequested();

private:
    enum class Answer { Shown, Closing, Absent };
    Answer askHolder() const;
    // Whether the holder runs where this copy cannot ask it: on another machine, or in a
    // login session with another runtime folder.
    bool holderElsewhere() const;
    void answer(const QByteArray &line);

    std::unique_ptr<QLockFile> m_lock;
    LocalLine *m_server{};
    bool m_beside{};
};
