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
};
