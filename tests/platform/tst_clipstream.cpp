#include "platform/ClipStream.h"
#include "support/ToneAnalysis.h"

#include <QTest>

#include <cstring>

namespace {

constexpr int kRate = 22050;
constexpr int kFadeFrames = kRate * 4 / 1000; // the stream's few-millisecond fade

QByteArray frames(const QVector<qint16> &samples)
{
    QByteArray bytes(samples.size() * 2, Qt::Uninitialized);
    std::memcpy(bytes.data(), samples.constData(), size_t(bytes.size()));
    return bytes;
}

// A clip whose every sample is distinct and far from zero, so its first frame
// and any fade of it are easy to tell apart.
QVector<qint16> ramp(int count, qint16 first)
{
    QVector<qint16> samples(count);
    for (int i = 0; i < count; ++i)
        samples[i] = qint16(first + i);
    return samples;
}

QVector<qint16> readSamples(ClipStream &stream, int count)
{
    const QByteArray bytes = stream.read(count * 2);
    return ToneAnalysis::samplesOf(bytes);
}

} // namespace

// The endless source the audio sink pulls from: clip, then silence, swaps from the start.
class TestClipStream : public QObject
{
    Q_OBJECT

private slots:
    void everyReadIsFilledToTheLengthAsked_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::newRow("one byte") << qint64(1);
        QTest::newRow("one sink period") << qint64(882);
        QTest::newRow("shorter than the clip") << qint64(100);
        QTest::newRow("longer than the clip") << qint64(50000);
    }
    void everyReadIsFilledToTheLengthAsked()
    {
        // A short read would make the sink think the stream ran dry and stall.
        QFETCH(qint64, length);
        ClipStream stream(1, kRate);
        QVERIFY(stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QCOMPARE(stream.read(length).size(), length);
        stream.setClip(frames(ramp(1000, 1000)));
        QCOMPARE(stream.read(length).size(), length);
        QCOMPARE(stream.read(length).size(), length);
        QVERIFY(!stream.atEnd());
        QVERIFY(stream.isSequential());
    }

    void theClipComesOutWholeThenSilence()
    {
        // Every sample of the clip reaches the sink in order, and silence follows.
        ClipStream stream(1, kRate);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        const QVector<qint16> clip = ramp(3000, -1500);
        stream.setClip(frames(clip));
        QVector<qint16> heard;
        while (heard.size() < 5000)
            heard += readSamples(stream, 441); // in sink-sized pieces
        QCOMPARE(heard.mid(0, clip.size()), clip);
        QCOMPARE(heard.mid(clip.size()), QVector<qint16>(heard.size() - clip.size(), 0));
        QCOMPARE(stream.pendingBytes(), 0);
    }

    void readingLongAfterTheEndGivesOnlyZeros()
    {
        // Between tones the sink keeps pulling; it must get silence, never old samples.
        ClipStream stream(1, kRate);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        stream.setClip(frames(ramp(100, 500)));
        readSamples(stream, 100);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(readSamples(stream, 882), QVector<qint16>(882, 0));
    }

    void aNewClipStartsFromItsBeginningAfterAShortFade_data()
    {
        QTest::addColumn<bool>("sameClip");
        QTest::newRow("another clip") << false;
        QTest::newRow("the same clip again") << true;
    }
    void aNewClipStartsFromItsBeginningAfterAShortFade()
    {
        // A tone cut off mid-way fades out within a few milliseconds, and the new one
        // (even the same one) is then heard from its first sample, not from where
        // the old one was.
        QFETCH(bool, sameClip);
        ClipStream stream(1, kRate);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        const QVector<qint16> first = ramp(4000, 1000);
        const QVector<qint16> second = sameClip ? first : ramp(4000, -9000);
        stream.setClip(frames(first));
        const QVector<qint16> before = readSamples(stream, 1500);
        stream.setClip(frames(second));
        const QVector<qint16> after = readSamples(stream, 6000);

        const QVector<qint16> fade = after.mid(0, kFadeFrames);
        for (int i = 0; i < fade.size(); ++i) {
            const qint16 cut = first[1500 + i];
            QVERIFY2(std::abs(fade[i]) <= std::abs(cut), qPrintable(QString::number(i)));
            if (i > 0)
                QVERIFY(std::abs(fade[i]) <= std::abs(fade[i - 1]) + 1);
        }
        QVERIFY(std::abs(fade.first() - before.last()) < 50); // no step at the cut
        QVERIFY(std::abs(fade.last()) < std::abs(first[1500 + kFadeFrames - 1]) / 10);
        QCOMPARE(after.mid(kFadeFrames, second.size()), second);
        QCOMPARE(after.mid(kFadeFrames + second.size()),
                 QVector<qint16>(after.size() - kFadeFrames - second.size(), 0));
    }

    void aClipAfterSilenceStartsAtOnce()
    {
        // Nothing left to fade: the new clip must not be delayed by one.
        ClipStream stream(1, kRate);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        stream.setClip(frames(ramp(200, 300)));
        readSamples(stream, 1000);
        const QVector<qint16> clip = ramp(500, -700);
        stream.setClip(frames(clip));
        QCOMPARE(readSamples(stream, 500), clip);
    }

    void swapsInQuickSuccessionEndInTheLastClip()
    {
        // Three requests before the sink pulls again: only the last is heard in full.
        ClipStream stream(1, kRate);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        stream.setClip(frames(ramp(3000, 2000)));
        readSamples(stream, 100);
        stream.setClip(frames(ramp(3000, 5000)));
        stream.setClip(frames(ramp(3000, -5000)));
        const QVector<qint16> last = ramp(3000, 9000);
        stream.setClip(frames(last));
        const QVector<qint16> heard = readSamples(stream, 4000);
        QCOMPARE(heard.mid(kFadeFrames, last.size()), last);
    }

    void aReadEndingInsideAFrameKeepsTheSinksFramesWhole()
    {
        // Stereo frames are four bytes; if a read stops mid-frame, the swap must not
        // shift the new clip by a byte or a channel, or it would play as noise.
        ClipStream stream(2, kRate);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        stream.setClip(frames(ramp(2000, 100)));
        QByteArray all = stream.read(7);
        const QVector<qint16> clip = ramp(1000, -3000);
        stream.setClip(frames(clip));
        all += stream.read(20000 - 7);
        const QVector<qint16> heard = ToneAnalysis::samplesOf(all.left(20000));
        const int start = int(heard.indexOf(clip.first()));
        QVERIFY(start > 0);
        QCOMPARE(start % 2, 0);
        QCOMPARE(heard.mid(start, clip.size()), clip);
    }

    void theStreamTakesNoWrites()
    {
        // It is a source only; a write must fail rather than vanish.
        ClipStream stream(1, kRate);
        stream.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
        QCOMPARE(stream.write("ab", 2), -1);
    }
};

QTEST_GUILESS_MAIN(TestClipStream)
#include "tst_clipstream.moc"
