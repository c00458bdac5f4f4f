#pragma once

#include <alsa/asoundlib.h>

// The functions of libasound the device layer calls, looked up when it is first
// needed rather than linked, as libpulse's are: most desktops never need it, and
// none before the first frame.
#define TESSALY_ALSA_FUNCTIONS(F)                                                   \
    F(snd_pcm_open) F(snd_pcm_set_params) F(snd_pcm_nonblock) F(snd_pcm_writei)     \
    F(snd_pcm_recover) F(snd_pcm_drain) F(snd_pcm_close)

struct AlsaLibrary
{
    // The library, loaded on the first call; null when it is not installed or
    // lacks a function.
    static const AlsaLibrary *get();

#define TESSALY_ALSA_MEMBER(name) decltype(&::name) name{};
    TESSALY_ALSA_FUNCTIONS(TESSALY_ALSA_MEMBER)
#undef TESSALY_ALSA_MEMBER
};
