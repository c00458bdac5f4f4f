#include "support/MonitorRecorder.h"
#include "support/TestFiles.h"
#include "support/ToneAnalysis.h"

#include "app/Identity.h"
#include "platform/sound/PulseSound.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cmath>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using ToneAnalysis::Span;
using ToneAnalysis::pitchOf;
using ToneAnalysis::risingCrossings;


constexpr double kRate = MonitorRecorder::kRate;
constexpr int kLoud = 2000;       // the clips peak at 9376
constexpr int kSilent = 150;      // what the null sink's silence may round to
constexpr int kMergeGap = 60;     // samples; near a zero crossing a tone dips below kLoud
constexpr double kFullClip = 0.19; // seconds; the clips last 0.197 s

const auto &kPitch = ToneAnalysis::lightPitch;

QVector<Span> soundingSpans(const QVector<qint16> &samples)
{
    return ToneAnalysis::soundingSpans(samples, kLoud, kMergeGap);
}


QByteArray clip(int light)
{
    return TestFiles::read(QStringLiteral(":/WAVE/%1").arg(101 + light));
}

QString describe(const QVector<Span> &spans)
{
    QStringList parts;
    for (const Span &span : spans)
        parts << QStringLiteral("%1 s at %2").arg(span.seconds(), 0, 'f', 3).arg(span.first);
    return parts.join(QStringLiteral(", "));
}

} // namespace

// Heard for real: PulseSound played into the test server's null sink, recorded from its monitor.
class TestSound : public QObject
{
    Q_OBJECT

    std::unique_ptr<PulseSound> m_sound;
    MonitorRecorder m_recorder;

    // What the sink played from just before `from` until `milliseconds` after it.
    static QVector<qint16> heardSince(const MonitorRecorder &recorder, qint64 from, int milliseconds)
    {
        QTest::qWait(milliseconds + 300); // the recording trails the sound a little
        const QVector<qint16> all = recorder.samples();
        const qint64 first = qBound<qint64>(0, recorder.sampleAt(from) - qint64(kRate / 50), all.size());
        const qint64 last = qBound<qint64>(first, recorder.sampleAt(from) + qint64(kRate * milliseconds / 1000), all.size());
        return all.mid(first, last - first);
    }
    QVector<qint16> heardSince(qint64 from, int milliseconds) { return heardSince(m_recorder, from, milliseconds); }

private slots:
    void initTestCase()
    {
        m_sound = std::make_unique<PulseSound>(Identity::title(), Identity::desktopName());
        m_sound->open();
        QVERIFY2(m_sound->isAudible(), "no sound device on the test server");
        QVERIFY2(m_recorder.start(), "cannot record tessaly_null.monitor with parec");
        for (int light = 0; light < 4; ++light)
            QCOMPARE(clip(light).size(), 8744);
    }

    void eachToneIsHeardInFullAtItsPitch_data()
    {
        QTest::addColumn<int>("light");
        for (int light = 0; light < 4; ++light)
            QTest::addRow("clip %d", 101 + light) << light;
    }
    void eachToneIsHeardInFullAtItsPitch()
    {
        // A light's tone sounds for its whole length, at its own pitch, once, cleanly.
        QFETCH(int, light);
        const qint64 played = MonitorRecorder::now();
        m_sound->play(clip(light));
        const QVector<qint16> heard = heardSince(played, 600);
        const QVector<Span> spans = soundingSpans(heard);
        QVERIFY2(spans.size() == 1, qPrintable(describe(spans)));
        QVERIFY2(spans[0].seconds() >= kFullClip, qPrintable(describe(spans)));
        QVERIFY2(spans[0].seconds() < 0.21, qPrintable(describe(spans)));
        const double pitch = pitchOf(risingCrossings(heard, spans[0]));
        QVERIFY2(std::abs(pitch / kPitch[light] - 1.0) < 0.02, qPrintable(QString::number(pitch)));
        // Its first samples and its last come out as they are: no click at either end.
        const int steepest = ToneAnalysis::steepestStep(heard);
        QVERIFY2(steepest < ToneAnalysis::clickStep, qPrintable(QString::number(steepest)));
    }

    void aToneRequestedSoonAfterAnotherCutsItOff()
    {
        // 100 ms into the red tone the green one is asked for: red stops there, green
        // is heard from its start for its full length, and the cut does not click.
        const qint64 played = MonitorRecorder::now();
        m_sound->play(clip(0));
        QTest::qWait(100);
        m_sound->play(clip(3));
        const QVector<qint16> heard = heardSince(played, 700);
        const QVector<Span> spans = soundingSpans(heard);
        QVERIFY2(spans.size() == 1, qPrintable(describe(spans)));

        // Tell the two tones apart by the length of each period.
        const QVector<double> crossings = risingCrossings(heard, spans[0]);
        const double lowPeriod = kRate / kPitch[0];
        const double highPeriod = kRate / kPitch[3];
        qint64 lastLow = -1;
        qint64 firstHigh = -1;
        int highPeriods = 0;
        for (qsizetype i = 1; i < crossings.size(); ++i) {
            const double period = crossings[i] - crossings[i - 1];
            if (std::abs(period - lowPeriod) < 2.0 && firstHigh < 0)
                lastLow = qint64(crossings[i]);
            if (std::abs(period - highPeriod) < 1.0) {
                if (firstHigh < 0)
                    firstHigh = qint64(crossings[i - 1]);
                ++highPeriods;
            }
        }
        QVERIFY(lastLow > 0 && firstHigh > lastLow);
        const double lowSeconds = double(lastLow - spans[0].first) / kRate;
        QVERIFY2(lowSeconds > 0.06 && lowSeconds < 0.15, qPrintable(QString::number(lowSeconds)));
        const double highSeconds = double(spans[0].end - firstHigh) / kRate;
        QVERIFY2(highSeconds >= kFullClip && highSeconds < 0.21, qPrintable(QString::number(highSeconds)));
        QVERIFY(highPeriods >= int(kFullClip * kPitch[3]) - 2);

        // Nor does the start of either tone or the end of the second.
        const int steepest = ToneAnalysis::steepestStep(heard);
        QVERIFY2(steepest < ToneAnalysis::clickStep, qPrintable(QString::number(steepest)));
    }

    void theSoundThreadRunsAheadOfOrdinaryWork()
    {
        // The thread that feeds the server is raised as far as the account allows
        // (fully as root), so a busy machine does not hole the tones.
        QDir tasks(QStringLiteral("/proc/self/task"));
        int nice = 1;
        for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "tessaly-sound")
                nice = getpriority(PRIO_PROCESS, id_t(tid.toInt()));
        }
        QCOMPARE(nice, geteuid() == 0 ? -11 : std::max(-11, std::min(0, 20 - int(limitOfNice()))));
    }
    static rlim_t limitOfNice()
    {
        rlimit limit{};
        return getrlimit(RLIMIT_NICE, &limit) == 0 ? limit.rlim_cur : 0;
    }

    void aBusyUserInterfaceThreadLeavesNoHoleInATone()
    {
        // A slow repaint or a dialog being built while a tone sounds must not starve
        // the sink: the tone still comes out whole.
        const qint64 played = MonitorRecorder::now();
        m_sound->play(clip(3));
        QTest::qWait(30);
        QThread::msleep(120); // longer than the sink's whole buffer
        const QVector<Span> spans = soundingSpans(heardSince(played, 600));
        QVERIFY2(spans.size() == 1, qPrintable(describe(spans)));
        QVERIFY2(spans[0].seconds() >= kFullClip && spans[0].seconds() < 0.21, qPrintable(describe(spans)));
    }

    void theSameToneTwiceInARowIsHeardTwice_data()
    {
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<int>("spanCount");
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("after the first ended") << 300 << 2 << kFullClip << 0.21;
        // Cut off after 100 ms and started again: about 0.1 s + 0.197 s of sound.
        QTest::newRow("while the first sounds") << 100 << 1 << 0.27 << 0.33;
    }
    void theSameToneTwiceInARowIsHeardTwice()
    {
        // A light pressed twice sounds twice, the second time from the beginning.
        QFETCH(int, gapMs);
        QFETCH(int, spanCount);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const qint64 played = MonitorRecorder::now();
        m_sound->play(clip(1));
        QTest::qWait(gapMs);
        m_sound->play(clip(1));
        const QVector<Span> spans = soundingSpans(heardSince(played, gapMs + 600));
        QVERIFY2(spans.size() == spanCount, qPrintable(describe(spans)));
        for (const Span &span : spans) {
            QVERIFY2(span.seconds() >= shortest && span.seconds() <= longest,
                     qPrintable(describe(spans)));
        }
    }

    void anUnplayableImageGivesSilence_data()
    {
        QTest::addColumn<QByteArray>("image");
        const QByteArray good = clip(2);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut short") << good.left(4000);
        QTest::newRow("bad header") << QByteArray(good).replace(0, 4, "JUNK");
        QTest::newRow("not PCM") << QByteArray(good).replace(20, 1, "\x03");
        QTest::newRow("samples without a header") << good.mid(44);
    }
    void anUnplayableImageGivesSilence()
    {
        // Nothing is heard, not even a default sound, and nothing breaks.
        QFETCH(QByteArray, image);
        const qint64 played = MonitorRecorder::now();
        m_sound->play(image);
        const QVector<qint16> heard = heardSince(played, 400);
        QVERIFY(heard.size() > int(kRate / 3));
        int loudest = 0;
        for (const qint16 sample : heard)
            loudest = qMax(loudest, std::abs(int(sample)));
        QVERIFY2(loudest <= kSilent, qPrintable(QString::number(loudest)));
        // And the next good clip still plays.
        const qint64 after = MonitorRecorder::now();
        m_sound->play(clip(2));
        const QVector<Span> spans = soundingSpans(heardSince(after, 500));
        QVERIFY2(spans.size() == 1 && spans[0].seconds() >= kFullClip, qPrintable(describe(spans)));
    }

    void soundComesBackWithTheServer()
    {
        // A server that goes away leaves the layer silent; once a server is there
        // again the same layer is heard again, with nothing restarted.
        const QString script = TestFiles::source(QStringLiteral("tests/fixtures/pulse.sh"));
        QTemporaryDir dir;
        const QString runtime = dir.filePath(QStringLiteral("pulse"));
        const auto server = [&](const char *action) {
            return QProcess::execute(script, {QLatin1String(action), runtime}) == 0;
        };
        const auto pulse = TestFiles::setVariable("PULSE_SERVER", "unix:" + QFile::encodeName(runtime) + "/native");
        const auto stop = qScopeGuard([&] { server("stop"); });
        QVERIFY(server("start"));
        PulseSound sound(Identity::title(), Identity::desktopName());
        sound.open();
        QVERIFY(sound.isAudible());

        QVERIFY(server("stop"));
        QTRY_VERIFY(!sound.isAudible());
        sound.play(clip(0));

        QVERIFY(server("start"));
        QTRY_VERIFY_WITH_TIMEOUT(sound.isAudible(), 10000);
        MonitorRecorder recorder;
        QVERIFY(recorder.start());
        const qint64 played = MonitorRecorder::now();
        sound.play(clip(1));
        const QVector<Span> spans = soundingSpans(heardSince(recorder, played, 500));
        QVERIFY2(spans.size() == 1 && spans[0].seconds() >= kFullClip, qPrintable(describe(spans)));
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"
