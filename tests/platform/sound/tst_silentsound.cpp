#include "support/ToneAnalysis.h"
#include "app/Identity.h"
#include "platform/sound/AlsaSound.h"
#include "platform/sound/FallbackSound.h"
#include "platform/sound/PipeWireSound.h"
#include "platform/sound/PulseSound.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {

QStringList g_messages;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_messages << message;
}

// Collects what is written to the process's standard error, Qt or not.
class StandardErrorCapture
{
public:
    StandardErrorCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StandardErrorCapture() { release(); }

    QByteArray release()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
            m_saved = -1;
        }
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    QTemporaryFile m_file;
    int m_saved{-1};
};

// One layer built and played on with no server: it neither fails nor prints.
template <typename Layer>
void playUnheard(const QByteArray &tone)
{
    Layer sound(Identity::title(), Identity::desktopName());
    sound.open();
    qWarning("still heard");
    QVERIFY(!sound.isAudible());
    sound.play(tone);
    sound.play(QByteArray("not a wave"));
    sound.play(tone);
}

} // namespace

// With no sound server the game plays on in silence, without a word to the player.
class TestSilentSound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A server that is not there.
        qputenv("PULSE_SERVER", "unix:/nonexistent/tessaly-no-sound-server/native");
        qputenv("PIPEWIRE_REMOTE", "/nonexistent/tessaly-no-sound-server/pipewire-0");
    }

    void withoutAServerItIsSilentAndSaysNothing_data()
    {
        QTest::addColumn<int>("layers");
        QTest::addColumn<bool>("pipeWire");
        QTest::newRow("one layer") << 1 << false;
        // A window opened again gets a new layer; the failed server must not hang it.
        QTest::newRow("a second layer") << 2 << false;
        QTest::newRow("PipeWire's own, two layers") << 2 << true;
    }
    void withoutAServerItIsSilentAndSaysNothing()
    {
        // Building the sound layer and playing on it neither fails nor prints, and the
        // application's own message handler is back in place afterwards.
        QFETCH(int, layers);
        QFETCH(bool, pipeWire);
        const QByteArray tone = TestFiles::read(QStringLiteral(":/WAVE/101"));
        QVERIFY(!tone.isEmpty());

        g_messages.clear();
        StandardErrorCapture capture;
        const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
        for (int layer = 0; layer < layers; ++layer)
            pipeWire ? playUnheard<PipeWireSound>(tone) : playUnheard<PulseSound>(tone);
        qInstallMessageHandler(previous);
        const QByteArray printed = capture.release();

        QCOMPARE(g_messages, QStringList(layers, QStringLiteral("still heard")));
        QCOMPARE(printed, QByteArray());
    }

    void aServerThatNeverAnswersHoldsNothingUp()
    {
        // A server that takes the connection and then says nothing: opening, getting
        // ready, playing and closing the layer all return while it still holds the
        // connection unanswered (a layer that waited for it would have given up on
        // it first).
        QTemporaryDir dir;
        QLocalServer server;
        QVERIFY(server.listen(dir.filePath(QStringLiteral("native"))));
        const auto pulse = TestFiles::setVariable("PULSE_SERVER", "unix:" + QFile::encodeName(server.fullServerName()));
        const QByteArray tone = TestFiles::read(QStringLiteral(":/WAVE/102"));
        QVERIFY(!tone.isEmpty());

        QLocalSocket *connection = nullptr;
        {
            PulseSound sound(Identity::title(), Identity::desktopName());
            sound.open();
            sound.prepare();
            sound.play(tone);
            QVERIFY(server.waitForNewConnection(10000));
            connection = server.nextPendingConnection();
            sound.play(tone);
            QCOMPARE(connection->state(), QLocalSocket::ConnectedState);
            QVERIFY(!connection->waitForDisconnected(100));
        }
        // Closed with the layer, not left behind.
        QVERIFY(connection->state() == QLocalSocket::UnconnectedState || connection->waitForDisconnected(10000));
    }

    void withoutAServerAGameIsHeardOnTheDevice()
    {
        // Where no server answers, the tones of a game go to ALSA's default device (here
        // a file), each in full, in order and at its pitch.
        QTemporaryDir dir;
        QFile config(dir.filePath(QStringLiteral("asound.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("pcm.!default { type file slave.pcm { type null } format raw file \""
                     + QFile::encodeName(dir.filePath(QStringLiteral("heard.raw"))) + "\" }\n");
        config.close();
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(config.fileName()));
        const QList<int> played{2, 0, 3, 1};
        {
            PulseSound server(Identity::title(), Identity::desktopName());
            PipeWireSound graph(Identity::title(), Identity::desktopName());
            AlsaSound device;
            FallbackSound sound(server, graph, device);
            server.open();
            QVERIFY(!server.isAudible());
            sound.prepare();
            for (const int light : played) {
                QFile clip(QStringLiteral(":/WAVE/%1").arg(101 + light));
                QVERIFY(clip.open(QIODevice::ReadOnly));
                sound.play(clip.readAll());
                QTest::qWait(300);
            }
        }
        QFile heard(dir.filePath(QStringLiteral("heard.raw")));
        QVERIFY(heard.open(QIODevice::ReadOnly));
        const QVector<qint16> samples = ToneAnalysis::samplesOf(heard.readAll());
        QList<int> lights;
        for (const ToneAnalysis::Span &span : ToneAnalysis::soundingSpans(samples)) {
            QVERIFY2(span.seconds() > 0.19, qPrintable(QString::number(span.seconds())));
            lights << ToneAnalysis::lightOf(ToneAnalysis::pitchOf(ToneAnalysis::risingCrossings(samples, span)));
        }
        QCOMPARE(lights, played);
    }
};

QTEST_GUILESS_MAIN(TestSilentSound)
#include "tst_silentsound.moc"
