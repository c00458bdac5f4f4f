#include "platform/session/SingleInstance.h"

#include "platform/session/LocalLine.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
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

// Where the sockets of a session with that runtime folder lie.
QString socketFolder(const QString &runtime)
{
    return QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
}

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
    return socketFolder(qEnvironmentVariable("XDG_RUNTIME_DIR")) + u'/' + file.fileName() + u'-'
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
        // A holder in another session would not show itself here, however long this waits.
        m_beside = holderElsewhere();
        if (m_beside || deadline.hasExpired())
            break;
        QThread::msleep(retryPause);
    }
    // No holder answered. A lock file that no running copy holds (one cut short by a kill
    // as it was made) is taken over; one held is left, and this copy runs beside a holder
    // elsewhere, or unguarded beside one of this session that never answers.
    if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return Start::First;
    return m_beside ? Start::Beside : Start::Unguarded;
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

bool SingleInstance::holderElsewhere() const
{
    qint64 pid = 0;
    QString host;
    if (!m_lock->getLockInfo(&pid, &host, nullptr))
        return false;  // still being written
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
    // A session's runtime folder is in the environment it started its programs with.
    QFile environment(QStringLiteral("/proc/%1/environ").arg(pid));
    if (!environment.open(QIODevice::ReadOnly))
        return false;
    QString runtime;
    for (const QByteArray &variable : environment.readAll().split('\0')) {
        if (variable.startsWith("XDG_RUNTIME_DIR="))
            runtime = QFile::decodeName(variable.mid(16));
    }
    return QFileInfo(socketFolder(runtime)).canonicalFilePath()
        != QFileInfo(socketFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"))).canonicalFilePath();
}

void SingleInstance::listen()
{
    if (!m_lock || !(m_lock->isLocked() || m_beside) || m_server)
        return;
    const auto accepts = [](const QByteArray &line) { return line == request || line.startsWith(request + ' '); };
    m_server = new LocalLine(reply, accepts, this);
    connect(m_server, &LocalLine::received, this, &SingleInstance::answer);
    // No copy answered on it when this one started, so a socket of this name was left by
    // one that died.
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
