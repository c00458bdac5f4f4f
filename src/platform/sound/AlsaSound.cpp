#include "platform/sound/AlsaSound.h"

#include "platform/sound/AlsaLibrary.h"
#include "platform/sound/ThreadPriority.h"
#include "platform/sound/WaveImage.h"

#include <chrono>

namespace {

// The clips' own format; ALSA converts it for the device.
constexpr int kRate = 22050;
constexpr int kChannels = 1;
constexpr int kFrameBytes = kChannels * 2;
// What the device holds ahead of what it plays: a cut-off is heard after it.
constexpr unsigned kLatencyMicroseconds = 40000;
// Each write: short, so most of a clip is still ours to fade when a new one comes.
constexpr qint64 kPieceBytes = kRate / 100 * kFrameBytes;
// The device stays open this long after a tone, so the tones of a game do not
// open it again and again; then it is let go.
constexpr auto kQuietSpell = std::chrono::seconds(2);

} // namespace

AlsaSound::AlsaSound()
    : m_clips(kChannels, kRate)
{
}

AlsaSound::~AlsaSound()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void AlsaSound::play(const QByteArray &image)
{
    const std::optional<WaveImage> wave = WaveImage::parse(image);
    if (!wave)
        return;
    start();
    if (!m_alsa)
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_clips.setClip(wave->toPcm16(kRate, kChannels));
    }
    m_wake.notify_all();
}

void AlsaSound::prepare()
{
    start();
}

void AlsaSound::start()
{
    if (m_thread.joinable() || !(m_alsa = AlsaLibrary::get()))
        return;
    m_thread = std::thread([this] { run(); });
}

void AlsaSound::run()
{
    ThreadPriority::raiseThisThread();
    snd_pcm_t *pcm = nullptr;
    const auto due = [this] { return m_stopping || m_clips.pendingBytes() > 0; };
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!pcm) {
            m_wake.wait(lock, due);
        } else if (!m_wake.wait_for(lock, kQuietSpell, due)) {
            // At rest: the device plays out what it holds and is let go.
            lock.unlock();
            m_alsa->snd_pcm_drain(pcm);
            m_alsa->snd_pcm_close(pcm);
            pcm = nullptr;
            lock.lock();
            continue;
        }
        if (m_stopping)
            break;
        if (!pcm) {
            lock.unlock();
            pcm = openDevice();
            lock.lock();
            if (!pcm) {
                m_clips.take(m_clips.pendingBytes()); // busy or no device: silence
                continue;
            }
        }
        const QByteArray piece = m_clips.take(kPieceBytes);
        lock.unlock();
        const bool written = write(pcm, piece);
        lock.lock();
        if (!written) {
            m_alsa->snd_pcm_close(pcm);
            pcm = nullptr;
            m_clips.take(m_clips.pendingBytes());
        }
    }
    lock.unlock();
    if (pcm)
        m_alsa->snd_pcm_close(pcm);
}

snd_pcm_t *AlsaSound::openDevice() const
{
    snd_pcm_t *pcm = nullptr;
    // Non-blocking open: a device another program holds is silence at once.
    if (m_alsa->snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    if (m_alsa->snd_pcm_nonblock(pcm, 0) < 0
        || m_alsa->snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, kChannels, kRate,
                                      1, kLatencyMicroseconds) < 0) {
        m_alsa->snd_pcm_close(pcm);
        return nullptr;
    }
    return pcm;
}

bool AlsaSound::write(snd_pcm_t *pcm, const QByteArray &piece) const
{
    const char *data = piece.constData();
    snd_pcm_uframes_t left = snd_pcm_uframes_t(piece.size() / kFrameBytes);
    while (left > 0) {
        snd_pcm_sframes_t written = m_alsa->snd_pcm_writei(pcm, data, left);
        if (written < 0) {
            // An underrun between tones, or a suspend: carry on; anything else is a lost device.
            if (m_alsa->snd_pcm_recover(pcm, int(written), 1) < 0)
                return false;
            continue;
        }
        data += written * kFrameBytes;
        left -= snd_pcm_uframes_t(written);
    }
    return true;
}
