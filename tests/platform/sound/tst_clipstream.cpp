#include "platform/sound/ClipStream.h"
#include "support/ToneAnalysis.h"

#include <QTest>

#include <cstring>

namespace {

constexpr int kRate = 22050;
constexpr int kFadeFrames = kRate * 4 / 1000; // the stream's few-millisecond fade
constexpr int kPadFrames = kRate * ClipStream::kPadMilliseconds / 1000; // silence before a clip from rest, after every clip

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
    return ToneAnalysis::samplesOf(stream.take(count * 2));
}

} // namespace

// What the sound layer hands the server in pieces: lead or fade, then the clip from its start.
class TestClipStream : public QObject
{
    Q_OBJECT

private slots:
    void aTakeGivesWholeFramesUpToTheLengthAsked_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("given");
        QTest::newRow("one byte") << qint64(1) << qint64(0);
        QTest::newRow("an odd count") << qint64(101) << qint64(100);
        QTest::newRow("a server's request") << qint64(882) << qint64(882);
        QTest::newRow("longer than the clip") << qint64(50000) << qint64(2000 + 4 * kPadFrames);
    }
    void aTakeGivesWholeFramesUpToTheLengthAsked()
    {
        // The server is handed whole samples, never more than it asked for, and
        // nothing at all when nothing is pending.
        QFETCH(qint64, length);
        QFETCH(qint64, given);
        ClipStream stream(1, kRate);
        QCOMPARE(stream.take(length).size(), 0);
        stream.setClip(frames(ramp(1000, 1000)));
        QCOMPARE(stream.take(length).size(), given);
        QCOMPARE(stream.pendingBytes(), 2000 + 4 * kPadFrames - given);
    }

    void theClipComesOutWholeAfterItsLeadThenNothing_data()
    {
        QTest::addColumn<int>("leadMilliseconds");
        QTest::newRow("lead") << int(ClipStream::kPadMilliseconds);
        QTest::newRow("no lead, for a server that drops nothing") << 0;
    }
    void theClipComesOutWholeAfterItsLeadThenNothing()
    {
        // A clip started from rest: its lead of silence, every sample of the clip in
        // order, a few milliseconds of silence, and then nothing more.
        QFETCH(int, leadMilliseconds);
        const int lead = int(kRate) * leadMilliseconds / 1000;
        ClipStream stream(1, kRate);
        stream.setLeadMilliseconds(leadMilliseconds);
        const QVector<qint16> clip = ramp(3000, -1500);
        stream.setClip(frames(clip));
        QVector<qint16> heard;
        for (int i = 0; i < 20; ++i)
            heard += readSamples(stream, 441); // in server-sized pieces
        QCOMPARE(heard.size(), lead + clip.size() + kPadFrames);
        QCOMPARE(heard.mid(0, lead), QVector<qint16>(lead, 0));
        QCOMPARE(heard.mid(lead, clip.size()), clip);
        QCOMPARE(heard.mid(lead + clip.size()), QVector<qint16>(kPadFrames, 0));
        QCOMPARE(stream.pendingBytes(), 0);
    }

    void takingLongAfterTheEndGivesNothing()
    {
        // Between tones the server may keep asking; it must never get old samples.
        ClipStream stream(1, kRate);
        stream.setClip(frames(ramp(100, 500)));
        QCOMPARE(readSamples(stream, 100 + 2 * kPadFrames).size(), 100 + 2 * kPadFrames);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(stream.take(882), QByteArray());
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
        const QVector<qint16> first = ramp(4000, 1000);
        const QVector<qint16> second = sameClip ? first : ramp(4000, -9000);
        stream.setClip(frames(first));
        const QVector<qint16> before = readSamples(stream, kPadFrames + 1500).mid(kPadFrames);
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
        QCOMPARE(after.mid(kFadeFrames + second.size()), QVector<qint16>(kPadFrames, 0));
    }

    void aClipAfterSilenceStartsAfterTheLeadAlone()
    {
        // Nothing left to fade: the new clip must not be delayed by a fade as well.
        ClipStream stream(1, kRate);
        stream.setClip(frames(ramp(200, 300)));
        readSamples(stream, 1000);
        const QVector<qint16> clip = ramp(500, -700);
        stream.setClip(frames(clip));
        QCOMPARE(readSamples(stream, kPadFrames + 500).mid(kPadFrames), clip);
    }

    void swapsInQuickSuccessionEndInTheLastClip()
    {
        // Three requests before the sink pulls again: only the last is heard in full.
        ClipStream stream(1, kRate);
        stream.setClip(frames(ramp(3000, 2000)));
        readSamples(stream, kPadFrames + 100);
        stream.setClip(frames(ramp(3000, 5000)));
        stream.setClip(frames(ramp(3000, -5000)));
        const QVector<qint16> last = ramp(3000, 9000);
        stream.setClip(frames(last));
        const QVector<qint16> heard = readSamples(stream, 4000);
        QCOMPARE(heard.mid(kFadeFrames, last.size()), last);
    }

    void aTakeEndingInsideAFrameKeepsTheFramesWhole()
    {
        // Stereo frames are four bytes; a take asked to stop mid-frame stops before
        // it, so a swap never shifts the new clip by a byte or a channel, which
        // would play it as noise.
        ClipStream stream(2, kRate);
        stream.setClip(frames(ramp(2000, 100)));
        QByteArray all = stream.take(7);
        QCOMPARE(all.size(), 4);
        const QVector<qint16> clip = ramp(1000, -3000);
        stream.setClip(frames(clip));
        all += stream.take(20000 - 7);
        const QVector<qint16> heard = ToneAnalysis::samplesOf(all);
        const int start = int(heard.indexOf(clip.first()));
        QVERIFY(start > 0);
        QCOMPARE(start % 2, 0);
        QCOMPARE(heard.mid(start, clip.size()), clip);
    }

    void aClipCutShortOfAWholeFrameLosesOnlyThatPart()
    {
        // A clip whose last frame is incomplete must not shift what follows it.
        ClipStream stream(2, kRate);
        stream.setClip(frames(ramp(11, 100)).left(21));
        QCOMPARE(stream.pendingBytes(), 8 * kPadFrames + 20);
        QCOMPARE(ToneAnalysis::samplesOf(stream.take(10000)).mid(2 * kPadFrames, 10), ramp(10, 100));
    }
};

QTEST_GUILESS_MAIN(TestClipStream)
#include "tst_clipstream.moc"
