#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace {

const QByteArray request = QByteArrayLiteral("show");
const QByteArray reply = QByteArrayLiteral("ok\n");
const char tokenVariable[] = "XDG_ACTIVATION_TOKEN";
// A request is one short line; a caller that sends more, or nothing for this long, is dropped.
constexpr qint64 maxRequest = 512;
constexpr int requestTime = 3000;
// How long one question waits for the holder's answer, and the pause between questions.
constexpr qint64 answerTime = 1000;
constexpr unsigned long retryPause = 50;

int remaining(const QDeadlineTimer &deadline, qint64 most)
{
    return int(std::clamp<qint64>(deadline.remainingTime(), 0, most));
}

// Tokens are opaque words of printable characters; anything else is not passed on.
bool isToken(const QByteArray &token)
{
    return !token.isEmpty() && token.size() < maxRequest
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
        if (askHolder(deadline) == Answer::Shown)
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

SingleInstance::Answer SingleInstance::askHolder(const QDeadlineTimer &deadline) const
{
    QLocalSocket socket;
    socket.connectToServer(serverName(m_lock->fileName()));
    if (!socket.waitForConnected(remaining(deadline, answerTime)))
        return Answer::Absent;  // still starting, or already closing
    QByteArray line = request;
    if (const QByteArray token = qgetenv(tokenVariable); isToken(token))
        line += ' ' + token;
    socket.write(line + '\n');
    socket.waitForBytesWritten(remaining(deadline, answerTime));
    while (!socket.canReadLine() && socket.waitForReadyRead(remaining(deadline, answerTime))) {
    }
    if (socket.canReadLine())
        return socket.readLine() == reply ? Answer::Shown : Answer::Closing;
    // A holder that keeps the line open without answering is alive but stopped or busy:
    // the request waits for it, and it shows itself when it goes on.
    return socket.state() == QLocalSocket::ConnectedState ? Answer::Shown : Answer::Closing;
}

void SingleInstance::listen()
{
    if (!m_lock || !m_lock->isLocked() || m_server)
        return;
    const QString name = serverName(m_lock->fileName());
    // The lock is ours, so a socket of this name was left by a copy that died.
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
    if (!m_server->listen(name)) {
        delete m_server;
        m_server = nullptr;
    }
}

void SingleInstance::close()
{
    if (m_server)
        m_server->close();
}

void SingleInstance::takeConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        QTimer::singleShot(requestTime, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
    }
}

void SingleInstance::answer(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maxRequest) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    QByteArray line = socket->readLine(maxRequest + 1);
    if (!line.endsWith('\n') || !(line == request + '\n' || line.startsWith(request + ' '))) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    line.chop(1);
    socket->write(reply);
    socket->disconnectFromServer();
    const QByteArray token = line.mid(request.size() + 1);
    const bool withToken = isToken(token);
    if (withToken)
        qputenv(tokenVariable, token);
    emit activationRequested();
    // A token is good once; a program started later must not inherit it.
    if (withToken)
        qunsetenv(tokenVariable);
}
