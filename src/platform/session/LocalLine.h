#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QDeadlineTimer;
class QSocketNotifier;

// One line asked and one answered over a Unix-domain stream socket, which is all a later
// start of the game says to the running one. Written on the socket calls rather than
// QLocalServer, whose QtNetwork would load Kerberos and libproxy into every start.
class LocalLine final : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        NoListener,  // nothing takes connections at that path
        Answered,    // a whole line came back
        Closed,      // the listener hung up without one
        Silent,      // still connected when the deadline came
    };
    struct Reply
    {
        Outcome outcome;
        QByteArray line;  // with its '\n', when Answered
    };
    // Sends line (which ends in '\n') and waits until deadline for a line back.
    static Reply ask(const QString &path, const QByteArray &line, const QDeadlineTimer &deadline);

    // A listener that reports each line accepts() takes (without its '\n'), then answers
    // it with reply and hangs up, so that the caller hears back once it has been acted
    // on. Longer lines, others, and callers that send nothing are dropped unanswered.
    LocalLine(QByteArray reply, std::function<bool(const QByteArray &)> accepts, QObject *parent = nullptr);
    ~LocalLine() override;
    LocalLine(const LocalLine &) = delete;
    LocalLine &operator=(const LocalLine &) = delete;

    static constexpr qsizetype maxLine = 512;

    // Listens at path, replacing what is there, for this user only.
    bool listen(const QString &path);
    // Stops listening; later callers then find NoListener.
    void close();

signals:
    void received(const QByteArray &line);

private:
    void takeConnections();
    void readFrom(int fd, QSocketNotifier *notifier, QByteArray &pending);

    const QByteArray m_reply;
    const std::function<bool(const QByteArray &)> m_accepts;
    QString m_path;
    int m_fd{-1};
    QSocketNotifier *m_notifier{};
};
