#include "platform/session/SingleInstance.h"
#include "support/TestFiles.h"

#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <memory>

using namespace std::chrono_literals;
using Start = SingleInstance::Start;

Q_DECLARE_METATYPE(SingleInstance::Start)

// One running copy per lock file: a later start hands over to the first, and a lock
// that no running copy holds never keeps a start out.
class TestSingleInstance : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_lock;

    // A later start, made on a thread of its own while this one's event loop answers it.
    static Start startElsewhere(SingleInstance &later, std::chrono::milliseconds patience = 3s)
    {
        Start result{};
        const std::unique_ptr<QThread> thread(QThread::create([&] { result = later.start(patience); }));
        QEventLoop loop;
        connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
        thread->start();
        loop.exec();
        return result;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // In a folder not made yet, as on a first run.
        m_lock = m_dir->filePath(QStringLiteral("Game/Game.ini.lock"));
    }

    void aLaterStartHandsOverToTheFirst()
    {
        // The first holds the lock and is asked to show itself, with the launcher's
        // token at hand while it does; the later start ends.
        SingleInstance first(m_lock);
        QCOMPARE(first.start(), Start::First);
        first.listen();
        QString tokenSeen;
        connect(&first, &SingleInstance::activationRequested, this,
                [&] { tokenSeen = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); });
        QSignalSpy asked(&first, &SingleInstance::activationRequested);

        qputenv("XDG_ACTIVATION_TOKEN", "launcher_token-1");
        SingleInstance later(m_lock);
        QCOMPARE(startElsewhere(later), Start::HandedOver);
        QTRY_COMPARE(asked.count(), 1);
        QCOMPARE(tokenSeen, QStringLiteral("launcher_token-1"));
        QVERIFY(qEnvironmentVariableIsEmpty("XDG_ACTIVATION_TOKEN"));
    }

    void aStartWhileTheFirstClosesWaitsForItsLock()
    {
        // A copy that is closing answers no more; the later start takes the lock once it is gone.
        auto first = std::make_unique<SingleInstance>(m_lock);
        QCOMPARE(first->start(), Start::First);
        first->listen();
        first->close();
        QTimer::singleShot(300, this, [&] { first.reset(); });
        SingleInstance later(m_lock);
        QCOMPARE(startElsewhere(later), Start::First);
    }

    void aLockNoRunningCopyHoldsIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("contents");
        // A process that has ended, so its number names no running copy.
        QProcess ended;
        ended.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        ended.kill();
        QVERIFY(ended.waitForFinished());
        QTest::newRow("left by a killed copy")
            << QByteArray::number(pid) + "\ngame\n" + QSysInfo::machineHostName().toUtf8() + '\n';
        QTest::newRow("cut short as it was made") << QByteArray();
        QTest::newRow("not a lock") << QByteArray("\x01\x02 not a lock\n");
    }
    void aLockNoRunningCopyHoldsIsTakenOver()
    {
        // Whatever a killed copy left behind, the next start gets the lock.
        QFETCH(QByteArray, contents);
        QVERIFY(TestFiles::write(m_lock, contents));
        SingleInstance next(m_lock);
        QCOMPARE(next.start(200ms), Start::First);
    }

    void aHolderThatCannotBeAskedLeavesTheStartRunning_data()
    {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("host");
        QTest::newRow("another session") << QCoreApplication::applicationDirPath() << QSysInfo::machineHostName();
        QTest::newRow("another machine") << qEnvironmentVariable("XDG_RUNTIME_DIR") << QStringLiteral("elsewhere.invalid");
    }
    void aHolderThatCannotBeAskedLeavesTheStartRunning()
    {
        // A live holder in another session, or on another machine sharing the home folder,
        // cannot show itself here: a later start runs beside it at once and takes the next.
        QFETCH(QString, runtime);
        QFETCH(QString, host);
        QProcess holder;
        holder.start(QStringLiteral("env"), {"XDG_RUNTIME_DIR=" + runtime, QStringLiteral("sleep"), QStringLiteral("60")});
        QVERIFY(holder.waitForStarted());
        const auto stop = qScopeGuard([&] { holder.kill(); holder.waitForFinished(); });
        QLockFile held(m_lock);
        QVERIFY(QDir().mkpath(QFileInfo(m_lock).path()) && held.tryLock());
        QVERIFY(TestFiles::write(m_lock, QByteArray::number(holder.processId()) + "\nsleep\n" + host.toUtf8() + '\n'));
        SingleInstance second(m_lock);
        QCOMPARE(second.start(200ms), Start::Beside);
        second.listen();
        SingleInstance next(m_lock);
        QCOMPARE(startElsewhere(next, 200ms), Start::HandedOver);
    }

    void aHolderIsJudgedByItsAnswer_data()
    {
        QTest::addColumn<bool>("listens");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<bool>("hangsUp");
        QTest::addColumn<Start>("later");
        QTest::newRow("answers ok") << true << true << true << Start::HandedOver;
        QTest::newRow("stopped, line open") << true << false << false << Start::HandedOver;
        QTest::newRow("hangs up unanswered") << true << false << true << Start::Unguarded;
        // A holder in this session that takes no requests keeps its lock, and the start runs.
        QTest::newRow("takes no requests") << false << false << false << Start::Unguarded;
    }
    void aHolderIsJudgedByItsAnswer()
    {
        // A holder that answers, or keeps the line open (stopped, it shows itself when it
        // goes on), takes the start over; one that hangs up is closing and is waited for;
        // one that takes no requests leaves the later start unguarded.
        QFETCH(bool, listens);
        QFETCH(bool, answers);
        QFETCH(bool, hangsUp);
        QFETCH(Start, later);
        SingleInstance first(m_lock);
        QCOMPARE(first.start(), Start::First);
        QLocalServer holder;
        QVERIFY(!listens || holder.listen(SingleInstance::serverName(m_lock)));
        connect(&holder, &QLocalServer::newConnection, this, [&] {
            QLocalSocket *caller = holder.nextPendingConnection();
            connect(caller, &QLocalSocket::readyRead, caller, [=] {
                if (!caller->canReadLine())
                    return;
                if (answers)
                    caller->write("ok\n");
                if (hangsUp)
                    caller->disconnectFromServer();
            });
        });
        SingleInstance second(m_lock);
        QCOMPARE(startElsewhere(second, 300ms), later);
        QVERIFY(QFile::exists(m_lock));
    }

    void noPlaceForALockMeansUnguarded_data()
    {
        QTest::addColumn<QString>("lock");
        QTest::newRow("no settings folder") << QString();
        QTest::newRow("folder is a file") << QStringLiteral("file/Game.ini.lock");
    }
    void noPlaceForALockMeansUnguarded()
    {
        // Where no lock can be made the settings cannot be written either: the game runs.
        QFETCH(QString, lock);
        QVERIFY(TestFiles::write(m_dir->filePath(QStringLiteral("file")), {}));
        SingleInstance instance(lock.isEmpty() ? lock : m_dir->filePath(lock));
        QCOMPARE(instance.start(), Start::Unguarded);
    }

    void requestsOtherThanShowAreDropped_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<bool>("shown");
        QTest::newRow("other word") << QByteArray("quit\n") << false;
        QTest::newRow("no end of line") << QByteArray(2000, 's') << false;
        QTest::newRow("token with control characters") << QByteArray("show a\x01z\n") << true;
    }
    void requestsOtherThanShowAreDropped()
    {
        // Only "show" asks for the window; a bad token is not passed on, and nothing else
        // is answered.
        QFETCH(QByteArray, request);
        QFETCH(bool, shown);
        SingleInstance first(m_lock);
        QCOMPARE(first.start(), Start::First);
        first.listen();
        bool hadToken = false;
        connect(&first, &SingleInstance::activationRequested, this,
                [&] { hadToken = qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"); });
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        QLocalSocket caller;
        QByteArray answer;
        connect(&caller, &QLocalSocket::readyRead, this, [&] { answer += caller.readAll(); });
        caller.connectToServer(SingleInstance::serverName(m_lock));
        QVERIFY(caller.waitForConnected());
        caller.write(request);
        QTRY_COMPARE(caller.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(asked.count(), shown ? 1 : 0);
        QCOMPARE(answer, shown ? QByteArray("ok\n") : QByteArray());
        QVERIFY(!hadToken);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
