#include "platform/QtSound.h"

#include "platform/ClipStream.h"
#include "platform/WaveImage.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QMessageLogContext>

namespace {

// Small enough that a tone starts promptly after play(), large enough that the
// sink's 20 ms pulls from the user-interface thread never leave it dry.
constexpr int kBufferMilliseconds = 80;

// The clips' own format first, so they need no conversion.
constexpr struct
{
    int sampleRate;
    int channels;
} kFormats[] = {{22050, 1}, {44100, 1}, {48000, 1}, {44100, 2}, {48000, 2}};

// Qt's audio back end reports a missing sound server on the default logging
// category, which no category rule can single out; the game has no log and
// shows the player nothing, so messages are dropped while the sink is set up.
void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

QtSound::QtSound()
{
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    open();
    qInstallMessageHandler(previous);
}

QtSound::~QtSound()
{
    if (m_sink)
        m_sink->stop();
}

void QtSound::open()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    bool supported = false;
    for (const auto &candidate : kFormats) {
        format.setSampleRate(candidate.sampleRate);
        format.setChannelCount(candidate.channels);
        supported = device.isFormatSupported(format);
        if (supported)
            break;
    }
    if (!supported)
        return;

    m_sampleRate = format.sampleRate();
    m_channels = format.channelCount();
    m_stream = std::make_unique<ClipStream>(m_channels, m_sampleRate);
    m_stream->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->setBufferSize(format.bytesForDuration(kBufferMilliseconds * 1000));
    m_sink->start(m_stream.get());
    if (m_sink->state() == QAudio::StoppedState) {
        m_sink.reset();
        m_stream.reset();
    }
}

void QtSound::play(const QByteArray &image)
{
    if (!m_sink || m_sink->state() == QAudio::StoppedState)
        return;
    const std::optional<WaveImage> wave = WaveImage::parse(image);
    if (!wave)
        return;
    m_stream->setClip(wave->toPcm16(m_sampleRate, m_channels));
}

bool QtSound::isAudible() const
{
    return m_sink && m_sink->state() != QAudio::StoppedState;
}
