#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QMutex>

// The endless sound source the audio sink pulls from: the current clip, then
// silence, never running dry. A sink kept running on it needs no stop and restart
// (which on Qt 6.4 clip tones and shrink buffers); a new clip is simply swapped in.
// Open it ReadOnly | Unbuffered so the sink gets each clip without read-ahead.
class ClipStream final : public QIODevice
{
public:
    // Frames are signed 16-bit native-endian samples, channels to a frame.
    ClipStream(int channels, int sampleRate, QObject *parent = nullptr);

    // The clip is heard from its first frame on: what is left of the one still
    // sounding fades out over a few milliseconds first, so the cut does not click.
    void setClip(const QByteArray &pcm);
    // Bytes of clip (or fade) still to be read before the silence.
    qint64 pendingBytes() const;

    bool isSequential() const override;
    bool atEnd() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray fadeOfRest() const;

    const int m_channels;
    const int m_sampleRate;
    // The sink may pull on a thread of its own, so swaps and reads are serialised.
    mutable QMutex m_mutex;
    QByteArray m_queue; // a fade of the clip cut off, then the clip
    qint64 m_position{};
    qint64 m_delivered{}; // bytes handed to the sink so far, to keep its frames whole
};
