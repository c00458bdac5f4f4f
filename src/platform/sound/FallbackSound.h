#pragma once

#include "platform/sound/Sound.h"

class AlsaSound;
class PipeWireSound;
class PulseSound;

// Tones through the sound server: PulseAudio, or PipeWire through its own library
// where the server that answers is PipeWire's; or through the sound device where no
// server answers. The choice is made as a game starts (prepare()), so a game is
// heard in one place, and a server that appears later is used from the next game on.
class FallbackSound final : public Sound
{
public:
    FallbackSound(PulseSound &server, PipeWireSound &graph, AlsaSound &device);

    void play(const QByteArray &image) override;
    void prepare() override;

private:
    PulseSound &m_server;
    PipeWireSound &m_graph;
    AlsaSound &m_device;
    Sound *m_current;
};
