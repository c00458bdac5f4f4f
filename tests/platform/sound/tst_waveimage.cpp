#include "platform/sound/WaveImage.h"
#include "support/ToneAnalysis.h"

#include <QTest>
#include <QtEndian>

#include <cstring>

namespace {

struct Layout
{
    quint16 formatTag{1};
    quint16 channels{1};
    quint32 rate{22050};
    quint16 bits{16};
    int blockAlignDelta{};
};

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray &tag, const QByteArray &body)
{
    QByteArray bytes = tag + le32(quint32(body.size())) + body;
    if (body.size() % 2)
        bytes += '\0';
    return bytes;
}

QByteArray formatChunk(const Layout &layout)
{
    const quint16 blockAlign = quint16(layout.channels * layout.bits / 8 + layout.blockAlignDelta);
    return chunk("fmt ", le16(layout.formatTag) + le16(layout.channels) + le32(layout.rate)
                             + le32(layout.rate * blockAlign) + le16(blockAlign) + le16(layout.bits));
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray pcm16(const QVector<qint16> &samples)
{
    QByteArray bytes;
    for (const qint16 sample : samples)
        bytes += le16(quint16(sample));
    return bytes;
}

} // namespace

// Reading RIFF/WAVE images: what plays, what is refused, and conversion to the sink's format.
class TestWaveImage : public QObject
{
    Q_OBJECT

private slots:
    void playableImagesAreRead_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("frames");
        const QByteArray four = pcm16({1, 2, 3, 4});
        QTest::newRow("plain 16-bit mono")
            << riff(formatChunk({}) + chunk("data", four)) << 22050 << 1 << 16 << 4;
        QTest::newRow("8-bit stereo at 11025 Hz")
            << riff(formatChunk({1, 2, 11025, 8}) + chunk("data", "abcdef")) << 11025 << 2 << 8 << 3;
        QTest::newRow("other chunks around, one of odd size")
            << riff(chunk("LIST", "odd") + formatChunk({}) + chunk("fact", le32(4))
                    + chunk("data", four) + chunk("junk", "xy"))
            << 22050 << 1 << 16 << 4;
        QTest::newRow("a longer fmt chunk")
            << riff(chunk("fmt ", formatChunk({}).mid(8) + le16(0)) + chunk("data", four))
            << 22050 << 1 << 16 << 4;
        QTest::newRow("a half frame at the end is dropped")
            << riff(formatChunk({1, 2}) + chunk("data", pcm16({1, 2, 3}))) << 22050 << 2 << 16 << 1;
        QTest::newRow("RIFF size too large is forgiven")
            << QByteArray(riff(formatChunk({}) + chunk("data", four))).replace(4, 4, le32(99999))
            << 22050 << 1 << 16 << 4;
    }
    void playableImagesAreRead()
    {
        // Any plain PCM image of 8 or 16 bits, mono or stereo, is played as it says.
        QFETCH(QByteArray, image);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(int, frames);
        const std::optional<WaveImage> wave = WaveImage::parse(image);
        QVERIFY(wave);
        QCOMPARE(wave->sampleRate(), rate);
        QCOMPARE(wave->channels(), channels);
        QCOMPARE(wave->bitsPerSample(), bits);
        QCOMPARE(wave->frameCount(), frames);
    }

    void unplayableImagesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("image");
        const QByteArray data = chunk("data", pcm16({1, 2, 3, 4}));
        const QByteArray good = riff(formatChunk({}) + data);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only the RIFF header") << good.left(12);
        QTest::newRow("not RIFF") << QByteArray(good).replace(0, 4, "RIFX");
        QTest::newRow("not WAVE") << QByteArray(good).replace(8, 4, "AVI ");
        QTest::newRow("floating point") << riff(formatChunk({3, 1, 22050, 32}) + data);
        QTest::newRow("compressed") << riff(formatChunk({2}) + data);
        QTest::newRow("24-bit") << riff(formatChunk({1, 1, 22050, 24}) + data);
        QTest::newRow("three channels") << riff(formatChunk({1, 3}) + data);
        QTest::newRow("no channels") << riff(formatChunk({1, 0}) + data);
        QTest::newRow("rate zero") << riff(formatChunk({1, 1, 0}) + data);
        QTest::newRow("block align wrong") << riff(formatChunk({1, 1, 22050, 16, 2}) + data);
        QTest::newRow("fmt chunk too short") << riff(chunk("fmt ", formatChunk({}).mid(8, 14)) + data);
        QTest::newRow("data before fmt") << riff(data + formatChunk({}));
        QTest::newRow("no data chunk") << riff(formatChunk({}));
        QTest::newRow("data cut short") << good.left(good.size() - 1);
        QTest::newRow("chunk size past the end")
            << riff(formatChunk({}) + "data" + le32(0xfffffff0u) + pcm16({1, 2}));
        QTest::newRow("RIFF size ends before data")
            << QByteArray(good).replace(4, 4, le32(4 + quint32(formatChunk({}).size())));
    }
    void unplayableImagesAreRefused()
    {
        // Anything but a whole plain PCM image is not played (and no default sound either).
        QFETCH(QByteArray, image);
        QVERIFY(!WaveImage::parse(image));
    }

    void conversionToSixteenBits_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QVector<qint16>>("expected");
        QTest::newRow("same format is copied")
            << riff(formatChunk({}) + chunk("data", pcm16({0, -32768, 32767, 9376}))) << 22050 << 1
            << QVector<qint16>{0, -32768, 32767, 9376};
        QTest::newRow("8-bit is centred on 128 and scaled")
            << riff(formatChunk({1, 1, 22050, 8}) + chunk("data", QByteArray("\x80\x00\xff\x81", 4)))
            << 22050 << 1 << QVector<qint16>{0, -32768, 32512, 256};
        QTest::newRow("mono to stereo copies each sample")
            << riff(formatChunk({}) + chunk("data", pcm16({5, -7}))) << 22050 << 2
            << QVector<qint16>{5, 5, -7, -7};
        QTest::newRow("stereo to mono averages")
            << riff(formatChunk({1, 2}) + chunk("data", pcm16({100, 300, -32768, -32768}))) << 22050
            << 1 << QVector<qint16>{200, -32768};
        QTest::newRow("doubling the rate interpolates")
            << riff(formatChunk({1, 1, 11025}) + chunk("data", pcm16({0, 100, 300}))) << 22050 << 1
            << QVector<qint16>{0, 50, 100, 200, 300, 300};
        QTest::newRow("halving the rate keeps every other sample")
            << riff(formatChunk({1, 1, 44100}) + chunk("data", pcm16({0, 1, 2, 3, 4, 5}))) << 22050
            << 1 << QVector<qint16>{0, 2, 4};
        QTest::newRow("no samples") << riff(formatChunk({}) + chunk("data", {})) << 48000 << 2
                                    << QVector<qint16>{};
    }
    void conversionToSixteenBits()
    {
        // A clip in another format than the sink's is heard at its own pitch and length.
        QFETCH(QByteArray, image);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(QVector<qint16>, expected);
        const std::optional<WaveImage> wave = WaveImage::parse(image);
        QVERIFY(wave);
        QCOMPARE(ToneAnalysis::samplesOf(wave->toPcm16(rate, channels)), expected);
    }
};

QTEST_GUILESS_MAIN(TestWaveImage)
#include "tst_waveimage.moc"
