#pragma once

class QByteArray;

// Plays a RIFF/WAVE file image held in memory, the way sndPlaySound does with
// SND_ASYNC | SND_NODEFAULT | SND_MEMORY: returns at once, cuts off a clip still
// sounding and starts the new one from its beginning, and stays silent (never a
// default sound) when the image cannot be played or there is no sound device.
class Sound
{
public:
    virtual ~Sound() = default;
    virtual void play(const QByteArray &image) = 0;
    // Tones will be asked for soon: have the output ready, so that the first of
    // them is not delayed by a sound device waking from rest. Returns at once.
    virtual void prepare() = 0;
};
