#pragma once

#include "platform/sound/Sound.h"

class AlsaSound;
class PulseSound;

// Tones through the sound server (PulseAudio, or PipeWire's pulse server), or
// through the sound device where no server answers. The choice is made as a game
// starts (prepare()), so a game is heard in one place, and a server that appears
// later is used from the next game on.
class FallbackSound final : public Sound
{
public:
    FallbackSound(PulseSound &server, AlsaSound &device);

    void play(const QByteArray &image) override;
    void prepare() override;

private:
    PulseSound &m_server;
    AlsaSound &m_device;
    Sound *m_current;
};
