#pragma once

#include <QByteArray>

// What the sound layer still has to hand to the sound server: the fade of a clip
// cut off, or a few milliseconds of silence where nothing was sounding; the clip;
// a few milliseconds of silence after it.
// The server is given it in small pieces as it asks, so that most of a clip is
// still here when a new one cuts it off, and the cut can be faded where the
// server's part ends. Not thread-safe: its owner serialises the calls.
class ClipStream final
{
public:
    // Silence on both sides of a clip: PulseAudio drops the first 7-10 ms of what
    // a stream is given as it starts from an underrun, and a resampler holds the
    // last few samples back until more follow.
    static constexpr int kPadMilliseconds = 12;

    // Frames are signed 16-bit native-endian samples, channels to a frame.
    ClipStream(int channels, int sampleRate);

    // The silence before a clip where nothing was sounding (kPadMilliseconds unless
    // set): a server that drops nothing of a starting stream would only make it late.
    void setLeadMilliseconds(int milliseconds);

    // The clip is heard from its first frame to its last: what is left of the one
    // still sounding fades out over a few milliseconds first, so the cut does not
    // click; with nothing left, a few milliseconds of silence lead in.
    void setClip(const QByteArray &pcm);
    // Bytes of clip, fade or lead still to be taken.
    qint64 pendingBytes() const;
    // The next whole frames of what is pending, at most maxBytes of them.
    QByteArray take(qint64 maxBytes);
    // The same, copied to `to`, without allocating (for a real-time thread); returns
    // the bytes copied.
    qint64 takeInto(char *to, qint64 maxBytes);

private:
    QByteArray fadeOfRest() const;
    qint64 frameBytes() const;

    const int m_channels;
    const int m_sampleRate;
    int m_leadMilliseconds{kPadMilliseconds};
    QByteArray m_queue;
    qint64 m_position{};
};
