#include "support/TestFiles.h"
#include "support/ToneAnalysis.h"

#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPeak = 9376;

QByteArray clip(int id)
{
    return TestFiles::read(QStringLiteral(":/WAVE/%1").arg(id));
}

// The samples after the 44-byte header.
QVector<qint16> samplesOf(const QByteArray &image)
{
    return ToneAnalysis::samplesOf(image.mid(44));
}

// Rising zero crossings, in fractional samples.
QVector<double> risingCrossings(const QVector<qint16> &samples)
{
    return ToneAnalysis::risingCrossings(samples, {0, samples.size()});
}

void addClipRows()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<double>("hertz");
    const char *names[] = {"101 red", "102 yellow", "103 blue", "104 green"};
    for (int light = 0; light < 4; ++light)
        QTest::newRow(names[light]) << 101 + light << ToneAnalysis::lightPitch[light];
}

} // namespace

// The four embedded tone clips: their file layout and the sound in them.
class TestToneClips : public QObject
{
    Q_OBJECT

private slots:
    void headerIsThePlain44ByteOne_data() { addClipRows(); }
    void headerIsThePlain44ByteOne()
    {
        // Any player must be able to take the image as it is: 16-bit mono PCM at
        // 22050 Hz, one fmt and one data chunk, nothing else.
        QFETCH(int, id);
        const QByteArray image = clip(id);
        QCOMPARE(image.size(), 8744);
        const char *bytes = image.constData();
        QCOMPARE(image.left(4), QByteArray("RIFF"));
        QCOMPARE(qFromLittleEndian<quint32>(bytes + 4), 8736u);
        QCOMPARE(image.mid(8, 4), QByteArray("WAVE"));
        QCOMPARE(image.mid(12, 4), QByteArray("fmt "));
        QCOMPARE(qFromLittleEndian<quint32>(bytes + 16), 16u);
        QCOMPARE(qFromLittleEndian<quint16>(bytes + 20), quint16(1)); // PCM
        QCOMPARE(qFromLittleEndian<quint16>(bytes + 22), quint16(1)); // mono
        QCOMPARE(qFromLittleEndian<quint32>(bytes + 24), 22050u);
        QCOMPARE(qFromLittleEndian<quint32>(bytes + 28), 44100u);
        QCOMPARE(qFromLittleEndian<quint16>(bytes + 32), quint16(2));
        QCOMPARE(qFromLittleEndian<quint16>(bytes + 34), quint16(16));
        QCOMPARE(image.mid(36, 4), QByteArray("data"));
        QCOMPARE(qFromLittleEndian<quint32>(bytes + 40), 8700u);
    }

    void toneStartsAndEndsOnZeroAtFullLevel_data() { addClipRows(); }
    void toneStartsAndEndsOnZeroAtFullLevel()
    {
        // No click at either end, and the level reaches 9376 both ways.
        QFETCH(int, id);
        const QVector<qint16> samples = samplesOf(clip(id));
        QCOMPARE(samples.size(), 4350);
        QCOMPARE(samples.first(), qint16(0));
        QCOMPARE(samples.last(), qint16(0));
        QVERIFY(samples[1] > 0); // it rises from the first sample
        QCOMPARE(*std::max_element(samples.begin(), samples.end()), qint16(kPeak));
        QCOMPARE(*std::min_element(samples.begin(), samples.end()), qint16(-kPeak));
    }

    void everyPeriodIsAlikeWithAFlatBottom_data() { addClipRows(); }
    void everyPeriodIsAlikeWithAFlatBottom()
    {
        // A steady tone with no fade: each whole period touches +9376, and its
        // negative half-wave sits at exactly -9376 for about a sixth of the period.
        QFETCH(int, id);
        const QVector<qint16> samples = samplesOf(clip(id));
        const QVector<double> crossings = risingCrossings(samples);
        QVERIFY(crossings.size() > 40);
        for (qsizetype c = 1; c < crossings.size(); ++c) {
            const qsizetype from = qsizetype(std::ceil(crossings[c - 1]));
            const qsizetype to = qsizetype(std::ceil(crossings[c]));
            const double period = crossings[c] - crossings[c - 1];
            int highest = 0;
            int flat = 0;
            int longestFlat = 0;
            for (qsizetype i = from; i < to; ++i) {
                highest = qMax(highest, int(samples[i]));
                flat = samples[i] == -kPeak ? flat + 1 : 0;
                longestFlat = qMax(longestFlat, flat);
            }
            const QString where = QStringLiteral("period %1").arg(c);
            QVERIFY2(highest == kPeak, qPrintable(where));
            QVERIFY2(std::abs(longestFlat - period / 6.0) <= 2.0,
                     qPrintable(where + QStringLiteral(": %1 of %2").arg(longestFlat).arg(period)));
        }
    }

    void pitchIsTheLightsOwn_data() { addClipRows(); }
    void pitchIsTheLightsOwn()
    {
        // Measured from the zero crossings, each clip is within 0.5 % of its pitch.
        QFETCH(int, id);
        QFETCH(double, hertz);
        const QVector<double> crossings = risingCrossings(samplesOf(clip(id)));
        const double measured = ToneAnalysis::pitchOf(crossings);
        QVERIFY2(std::abs(measured / hertz - 1.0) < 0.005, qPrintable(QString::number(measured)));
    }
};

QTEST_GUILESS_MAIN(TestToneClips)
#include "tst_toneclips.moc"
