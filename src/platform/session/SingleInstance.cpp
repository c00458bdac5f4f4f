#include "platform/session/SingleInstance.h"

#include "platform/session/LocalLine.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <algorithm>

namespace {

const QByteArray request = QByteArrayLiteral("show");
const QByteArray reply = QByteArrayLiteral("ok\n");
const char tokenVariable[] = "XDG_ACTIVATION_TOKEN";
// How long one question waits for the holder's answer, however little of the start's
// patience is left: a holder caught between answering and hanging up would otherwise be
// taken for one that showed itself. And the pause between questions.
constexpr std::chrono::milliseconds answerTime{1000};
constexpr unsigned long retryPause = 50;

// Tokens are opaque words of printable characters; anything else is not passed on.
bool isToken(const QByteArray &token)
{
    return !token.isEmpty() && token.size() < LocalLine::maxLine
        && std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}

} // namespace

SingleInstance::SingleInstance(const QString &lockFile, QObject *parent)
    : QObject(parent)
{
    if (lockFile.isEmpty())
        return;
    m_lock = std::make_unique<QLockFile>(lockFile);
    // Held for the life of the program: only a holder that died makes it stale.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString &lockFile)
{
    const QFileInfo file(lockFile);
    const QString folder = QFileInfo(file.path()).canonicalFilePath();
    const QByteArray place = QFile::encodeName((folder.isEmpty() ? file.absolutePath() : folder) + u'/' + file.fileName());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString parent = QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
    return parent + u'/' + file.fileName() + u'-'
        + QString::fromLatin1(QCryptographicHash::hash(place, QCryptographicHash::Sha256).toHex().left(16));
}

SingleInstance::Start SingleInstance::start(std::chrono::milliseconds patience)
{
    if (!m_lock || !QDir().mkpath(QFileInfo(m_lock->fileName()).path()))
        return Start::Unguarded;
    const QDeadlineTimer deadline(patience);
    for (;;) {
        if (m_lock->tryLock(0))
            return Start::First;
        // A folder no lock can be made in: no copy can write the settings there either.
        if (m_lock->error() != QLockFile::LockFailedError)
            return Start::Unguarded;
        if (askHolder() == Answer::Shown)
            return Start::HandedOver;
        if (deadline.hasExpired())
            break;
        QThread::msleep(retryPause);
    }
    // No holder answered all this time. A lock file that no running copy holds (one cut
    // short by a kill as it was made) is taken over; one held elsewhere (another machine
    // sharing the home folder) is left, and this copy runs unguarded.
    if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return Start::First;
    return Start::Unguarded;
}

SingleInstance::Answer SingleInstance::askHolder() const
{
    QByteArray line = request;
    if (const QByteArray token = qgetenv(tokenVariable); isToken(token))
        line += ' ' + token;
    const LocalLine::Reply answer = LocalLine::ask(serverName(m_lock->fileName()), line + '\n', QDeadlineTimer(answerTime));
    switch (answer.outcome) {
    case LocalLine::Outcome::NoListener:
        return Answer::Absent;  // still starting, or already closing
    case LocalLine::Outcome::Answered:
        return answer.line == reply ? Answer::Shown : Answer::Closing;
    case LocalLine::Outcome::Silent:
        // A holder that keeps the line open without answering is alive but stopped or
        // busy: the request waits for it, and it shows itself when it goes on.
        return Answer::Shown;
    case LocalLine::Outcome::Closed:
        break;
    }
    return Answer::Closing;
}

void SingleInstance::listen()
{
    if (!m_lock || !m_lock->isLocked() || m_server)
        return;
    const auto accepts = [](const QByteArray &line) { return line == request || line.startsWith(request + ' '); };
    m_server = new LocalLine(reply, accepts, this);
    connect(m_server, &LocalLine::received, this, &SingleInstance::answer);
    // The lock is ours, so a socket of this name was left by a copy that died.
    if (!m_server->listen(serverName(m_lock->fileName()))) {
        delete m_server;
        m_server = nullptr;
    }
}

void SingleInstance::close()
{
    if (m_server)
        m_server->close();
}

void SingleInstance::answer(const QByteArray &line)
{
    const QByteArray token = line.mid(request.size() + 1);
    const bool withToken = isToken(token);
    if (withToken)
        qputenv(tokenVariable, token);
    emit activationRequested();
    // A token is good once; a program started later must not inherit it.
    if (withToken)
        qunsetenv(tokenVariable);
}
