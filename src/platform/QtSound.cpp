#include "platform/QtSound.h"

#include "platform/ClipStream.h"
#include "platform/WaveImage.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMessageLogContext>
#include <QSemaphore>
#include <QThread>

#include <atomic>

namespace {

// A tone is heard this much (less the server's own read-ahead) after play().
// Qt 6.4 feeds a PulseAudio stream 20 ms at a time; at 60-70 ms the server
// runs the stream dry now and then and tones get holes, at 80 ms it does not.
constexpr int kBufferMilliseconds = 80;
// How long the window's closing waits for the sound thread before leaving it.
constexpr int kStopMilliseconds = 2000;
constexpr int kStartMilliseconds = 5000;
constexpr int kSettleMilliseconds = 50;

// The clips' own format first, so they need no conversion.
constexpr struct
{
    int sampleRate;
    int channels;
} kFormats[] = {{22050, 1}, {44100, 1}, {48000, 1}, {44100, 2}, {48000, 2}};

enum class State { Starting, Playing, Silent };

// Qt's audio back end reports a missing sound server on the default logging
// category, which no category rule can single out; the game has no log and
// shows the player nothing, so messages are dropped while the device is sought.
void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

// What the user-interface thread and the sound thread share; owned by both, so
// neither outlives it.
struct QtSound::Line
{
    Line(int channels, int sampleRate)
        : stream{channels, sampleRate}
        , channels{channels}
        , sampleRate{sampleRate}
    {
    }

    void settle(State settled)
    {
        if (state.exchange(settled) == State::Starting)
            started.release();
    }

    ClipStream stream;
    const int channels;
    const int sampleRate;
    std::atomic<State> state{State::Starting};
    QSemaphore started;
};

QtSound::QtSound()
{
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    bool supported = false;
    for (const auto &candidate : kFormats) {
        if (device.isNull())
            break;
        format.setSampleRate(candidate.sampleRate);
        format.setChannelCount(candidate.channels);
        supported = device.isFormatSupported(format);
        if (supported)
            break;
    }
    qInstallMessageHandler(previous);

    m_line = std::make_shared<Line>(format.channelCount(), format.sampleRate());
    if (!supported) {
        m_line->settle(State::Silent);
        return;
    }
    m_line->stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    m_thread.reset(QThread::create([line = m_line, device, format] {
        // Created here, so its feeding timer runs on this thread.
        QAudioSink sink(device, format);
        sink.setBufferSize(format.bytesForDuration(kBufferMilliseconds * 1000));
        sink.start(&line->stream);
        if (sink.state() == QAudio::StoppedState) {
            line->settle(State::Silent);
            return;
        }
        line->settle(State::Playing);
        // A sink stops for good only when the sound server goes away.
        QObject::connect(&sink, &QAudioSink::stateChanged, [&line](QAudio::State state) {
            if (state == QAudio::StoppedState)
                line->settle(State::Silent);
        });
        QEventLoop loop;
        loop.exec(); // until QThread::quit()
        sink.stop();
        // The server answers the stream's removal with a few messages. Qt 6.4
        // tears its sound-server connection down at exit without the lock its
        // receiving thread holds, so one arriving then aborts the process (about
        // one exit in a hundred); let them arrive while the window closes instead.
        QThread::msleep(kSettleMilliseconds);
    }));
    m_thread->setObjectName(QStringLiteral("QtSound"));
    m_thread->start();
}

QtSound::~QtSound()
{
    if (!m_thread)
        return;
    m_thread->quit();
    // A sink stuck inside the sound server must not hang the window's closing;
    // its thread is then left to end with the process.
    if (!m_thread->wait(kStopMilliseconds))
        (void)m_thread.release();
}

void QtSound::play(const QByteArray &image)
{
    if (m_line->state == State::Silent)
        return;
    const std::optional<WaveImage> wave = WaveImage::parse(image);
    if (!wave)
        return;
    m_line->stream.setClip(wave->toPcm16(m_line->sampleRate, m_line->channels));
}

bool QtSound::isAudible() const
{
    if (m_line->started.tryAcquire(1, kStartMilliseconds))
        m_line->started.release();
    return m_line->state == State::Playing;
}
