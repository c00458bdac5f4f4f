#include "platform/sound/WaveImage.h"

#include <QtEndian>

#include <cmath>

namespace {

constexpr quint16 kFormatPcm = 1;
constexpr int kHighestRate = 384000;

quint32 read32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 read16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

bool hasTag(const QByteArray &bytes, qsizetype at, const char *tag)
{
    return bytes.mid(at, 4) == QByteArray::fromRawData(tag, 4);
}

} // namespace

std::optional<WaveImage> WaveImage::parse(const QByteArray &image)
{
    if (image.size() < 12 || !hasTag(image, 0, "RIFF") || !hasTag(image, 8, "WAVE"))
        return std::nullopt;
    // The RIFF size bounds the chunks; writers that leave it too large are
    // forgiven as long as each chunk we need lies wholly inside the image.
    const qsizetype end = qMin<qsizetype>(image.size(), 8 + qsizetype(read32(image, 4)));

    WaveImage wave;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= end) {
        const qsizetype size = read32(image, at + 4);
        const qsizetype body = at + 8;
        if (size > image.size() - body)
            return std::nullopt; // cut short
        if (hasTag(image, at, "fmt ")) {
            if (size < 16 || read16(image, body) != kFormatPcm)
                return std::nullopt;
            wave.m_channels = read16(image, body + 2);
            wave.m_sampleRate = int(read32(image, body + 4));
            const int blockAlign = read16(image, body + 12);
            wave.m_bitsPerSample = read16(image, body + 14);
            if (wave.m_channels < 1 || wave.m_channels > 2
                || (wave.m_bitsPerSample != 8 && wave.m_bitsPerSample != 16)
                || wave.m_sampleRate < 1 || wave.m_sampleRate > kHighestRate
                || blockAlign != wave.m_channels * wave.m_bitsPerSample / 8)
                return std::nullopt;
            haveFormat = true;
        } else if (hasTag(image, at, "data")) {
            if (!haveFormat)
                return std::nullopt;
            const qsizetype frameBytes = wave.m_channels * wave.m_bitsPerSample / 8;
            wave.m_data = image.mid(body, size - size % frameBytes);
            return wave;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

qsizetype WaveImage::frameCount() const
{
    return m_data.size() / (m_channels * m_bitsPerSample / 8);
}

qint16 WaveImage::sample(qsizetype frame, int channel) const
{
    const qsizetype index = frame * m_channels + channel;
    if (m_bitsPerSample == 8)
        return qint16((int(quint8(m_data[index])) - 128) * 256);
    return qint16(read16(m_data, index * 2));
}

qint16 WaveImage::monoSample(qsizetype frame) const
{
    if (m_channels == 1)
        return sample(frame, 0);
    return qint16((int(sample(frame, 0)) + int(sample(frame, 1))) / 2);
}

QByteArray WaveImage::toPcm16(int sampleRate, int channels) const
{
    const qsizetype inFrames = frameCount();
    const qsizetype outFrames = sampleRate == m_sampleRate
        ? inFrames
        : qsizetype(std::llround(double(inFrames) * sampleRate / m_sampleRate));
    QByteArray out(outFrames * channels * qsizetype(sizeof(qint16)), Qt::Uninitialized);
    auto *target = reinterpret_cast<qint16 *>(out.data());
    const double step = double(m_sampleRate) / sampleRate;
    for (qsizetype frame = 0; frame < outFrames; ++frame) {
        const double position = frame * step;
        const qsizetype left = qMin(qsizetype(position), inFrames - 1);
        const qsizetype right = qMin(left + 1, inFrames - 1);
        const double weight = position - double(left);
        for (int channel = 0; channel < channels; ++channel) {
            const auto pick = [&](qsizetype at) {
                if (channels == m_channels)
                    return double(sample(at, channel));
                return double(channels == 1 ? monoSample(at) : sample(at, 0));
            };
            const double value = pick(left) + (pick(right) - pick(left)) * weight;
            *target++ = qint16(std::lround(value));
        }
    }
    return out;
}
