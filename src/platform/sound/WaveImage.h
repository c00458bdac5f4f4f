#pragma once

#include <QByteArray>

#include <optional>

// The format and samples of a RIFF/WAVE PCM file image: 8- or 16-bit, mono or
// stereo, any rate. Anything else, and any image cut short, is not a WaveImage.
class WaveImage
{
public:
    static std::optional<WaveImage> parse(const QByteArray &image);

    int sampleRate() const { return m_sampleRate; }
    int channels() const { return m_channels; }
    int bitsPerSample() const { return m_bitsPerSample; }
    qsizetype frameCount() const;

    // The samples as signed 16-bit native-endian frames at the given rate and
    // channel count (mono is copied to both sides, stereo is averaged to mono,
    // other rates are interpolated linearly).
    QByteArray toPcm16(int sampleRate, int channels) const;

private:
    WaveImage() = default;
    qint16 sample(qsizetype frame, int channel) const;
    qint16 monoSample(qsizetype frame) const;

    QByteArray m_data; // whole frames only
    int m_sampleRate{};
    int m_channels{};
    int m_bitsPerSample{};
};
