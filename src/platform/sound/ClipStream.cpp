#include "platform/sound/ClipStream.h"

#include <cstring>

namespace {

// Long enough to round off any waveform, too short to be heard as a fade.
constexpr int kFadeMilliseconds = 4;

} // namespace

ClipStream::ClipStream(int channels, int sampleRate)
    : m_channels{channels}
    , m_sampleRate{sampleRate}
{
}

qint64 ClipStream::frameBytes() const
{
    return m_channels * qint64(sizeof(qint16));
}

void ClipStream::setLeadMilliseconds(int milliseconds)
{
    m_leadMilliseconds = milliseconds;
}

void ClipStream::setClip(const QByteArray &pcm)
{
    const auto silence = [this](int milliseconds) {
        return QByteArray(qint64(m_sampleRate) * milliseconds / 1000 * frameBytes(), '\0');
    };
    m_queue = (pendingBytes() > 0 ? fadeOfRest() : silence(m_leadMilliseconds))
              + pcm.left(pcm.size() - pcm.size() % frameBytes()) + silence(kPadMilliseconds);
    m_position = 0;
}

qint64 ClipStream::pendingBytes() const
{
    return m_queue.size() - m_position;
}

// The next few milliseconds of what is still queued, ramped down to silence.
QByteArray ClipStream::fadeOfRest() const
{
    const qint64 fadeFrames = qMin<qint64>(pendingBytes() / frameBytes(),
                                           qint64(m_sampleRate) * kFadeMilliseconds / 1000);
    QByteArray fade = m_queue.mid(m_position, fadeFrames * frameBytes());
    for (qint64 frame = 0; frame < fadeFrames; ++frame) {
        const double gain = double(fadeFrames - frame) / double(fadeFrames + 1);
        for (int channel = 0; channel < m_channels; ++channel) {
            qint16 value;
            char *at = fade.data() + frame * frameBytes() + channel * qint64(sizeof(qint16));
            std::memcpy(&value, at, sizeof value);
            value = qint16(value * gain);
            std::memcpy(at, &value, sizeof value);
        }
    }
    return fade;
}

QByteArray ClipStream::take(qint64 maxBytes)
{
    QByteArray piece(qBound<qint64>(0, maxBytes, pendingBytes()), Qt::Uninitialized);
    piece.truncate(takeInto(piece.data(), piece.size()));
    return piece;
}

qint64 ClipStream::takeInto(char *to, qint64 maxBytes)
{
    qint64 size = qBound<qint64>(0, maxBytes, pendingBytes());
    size -= size % frameBytes();
    std::memcpy(to, m_queue.constData() + m_position, size_t(size));
    m_position += size;
    if (m_position == m_queue.size()) {
        // Played out: let the memory go.
        m_queue.clear();
        m_position = 0;
    }
    return size;
}
