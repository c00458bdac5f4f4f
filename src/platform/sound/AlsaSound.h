#pragma once

#include "platform/sound/ClipStream.h"
#include "platform/sound/Sound.h"

#include <condition_variable>
#include <mutex>
#include <thread>

struct AlsaLibrary;
typedef struct _snd_pcm snd_pcm_t;

// Sound on ALSA's default device, for a desktop where no sound server answers.
// A thread of its own hands the device each clip in small pieces, so a new clip
// still cuts off the old one with a fade. The device is opened for a tone and let
// go after a quiet spell, so nothing runs at rest and the device may sleep; a
// device that is busy or gone is silence. libasound is loaded on the first tone
// or prepare(), never before.
class AlsaSound final : public Sound
{
public:
    AlsaSound();
    ~AlsaSound() override;

    void play(const QByteArray &image) override;
    void prepare() override;

private:
    void start();
    void run();
    snd_pcm_t *openDevice() const;
    // Hands the device one piece; false when the device is gone.
    bool write(snd_pcm_t *pcm, const QByteArray &piece) const;

    const AlsaLibrary *m_alsa{};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    ClipStream m_clips;
    bool m_stopping{};
    std::thread m_thread;
};
