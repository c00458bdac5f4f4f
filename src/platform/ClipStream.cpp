#include "platform/ClipStream.h"

#include <QMutexLocker>

#include <cstring>

namespace {

// Long enough to round off any waveform, too short to be heard as a fade.
constexpr int kFadeMilliseconds = 4;

} // namespace

ClipStream::ClipStream(int channels, int sampleRate, QObject *parent)
    : QIODevice(parent)
    , m_channels{channels}
    , m_sampleRate{sampleRate}
{
}

void ClipStream::setClip(const QByteArray &pcm)
{
    QMutexLocker lock(&m_mutex);
    m_queue = fadeOfRest() + pcm;
    m_position = 0;
}

qint64 ClipStream::pendingBytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_queue.size() - m_position;
}

// The next few milliseconds of what is still queued, ramped down to silence.
QByteArray ClipStream::fadeOfRest() const
{
    const qint64 frameBytes = m_channels * qint64(sizeof(qint16));
    // A read that ended inside a frame leaves that frame's last bytes to come first
    // as they are, so the sink's frames stay whole and the ramp starts on one.
    const qint64 partial = (frameBytes - m_delivered % frameBytes) % frameBytes;
    const QByteArray rest = m_queue.mid(m_position);
    const qint64 fadeFrames = qMin<qint64>(qMax<qint64>(rest.size() - partial, 0) / frameBytes,
                                           qint64(m_sampleRate) * kFadeMilliseconds / 1000);
    QByteArray fade = rest.left(partial + fadeFrames * frameBytes);
    fade.append(partial + fadeFrames * frameBytes - fade.size(), '\0');
    char *start = fade.data() + partial;
    for (qint64 frame = 0; frame < fadeFrames; ++frame) {
        const double gain = double(fadeFrames - frame) / double(fadeFrames + 1);
        for (int channel = 0; channel < m_channels; ++channel) {
            qint16 value;
            char *at = start + (frame * m_channels + channel) * qint64(sizeof(qint16));
            std::memcpy(&value, at, sizeof value);
            value = qint16(value * gain);
            std::memcpy(at, &value, sizeof value);
        }
    }
    return fade;
}

bool ClipStream::isSequential() const
{
    return true;
}

bool ClipStream::atEnd() const
{
    return !isOpen();
}

qint64 ClipStream::readData(char *data, qint64 maxSize)
{
    if (maxSize <= 0)
        return 0;
    QMutexLocker lock(&m_mutex);
    const qint64 fromClip = qBound<qint64>(0, m_queue.size() - m_position, maxSize);
    std::memcpy(data, m_queue.constData() + m_position, size_t(fromClip));
    std::memset(data + fromClip, 0, size_t(maxSize - fromClip));
    m_position += fromClip;
    m_delivered += maxSize;
    if (m_position == m_queue.size()) {
        // Played out: let the memory go and keep reading silence.
        m_queue.clear();
        m_position = 0;
    }
    return maxSize;
}

qint64 ClipStream::writeData(const char *, qint64)
{
    return -1;
}
