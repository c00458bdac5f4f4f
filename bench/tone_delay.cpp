// How promptly and how cleanly the game's sound layer is heard (PulseSound, or
// PipeWireSound where the server is PipeWire): the delay from play() to the
// tone's first loud sample in a recording of the sound server's null sink, over
// 20 tones on an idle machine and 20 under `stress-ng --cpu 2`; gaps and clicks in
// those tones and in 10 tones cut off by another; and what opening the layer costs
// with and without a sound server.
// Run it with the environment of tests/fixtures/pulse.sh (PULSE_SERVER set).
//
// Prints tab-separated lines for bench/run.sh: "row", metric, measured, target,
// verdict; and "note", text.
#include "app/Identity.h"
#include "MonitorRecorder.h"
#include "platform/sound/AlsaSound.h"
#include "platform/sound/FallbackSound.h"
#include "platform/sound/PipeWireSound.h"
#include "platform/sound/PulseSound.h"
#include "ToneAnalysis.h"

#include "BenchTable.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using BenchTable::format;
using BenchTable::median;
using BenchTable::row;

namespace {

constexpr int kTones = 20;
constexpr int kCutOffs = 10;
constexpr int kToneSpacingMs = 450;
constexpr int kCutAfterMs = 100;
constexpr int kWindowMs = 400;   // each tone's part of the recording, short of the next tone
constexpr int kOpenings = 7;
constexpr int kLoudEnough = 1500;   // the clips peak at 9376
constexpr double kFullClip = 0.19;  // seconds; the clips last 0.197 s
constexpr double kTargetMedianMs = 5.0;
constexpr double kTargetLargestMs = 20.0;

struct Tone
{
    qint64 playedAt;
    bool cutOff; // a second tone was asked for kCutAfterMs later
};

struct Heard
{
    std::vector<double> delays;
    int missing{};
    int gaps{};
    int clicks{};
    int steepest{};
};

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Each tone's window of the recording: when it began, whether it came out as one
// span of full length (two tones one span, for a cut-off), and its steepest step.
Heard analyse(const MonitorRecorder &recorder, const std::vector<Tone> &tones)
{
    const QVector<qint16> samples = recorder.samples();
    Heard heard;
    for (const Tone &tone : tones) {
        const qint64 first = qMax<qint64>(1, recorder.sampleAt(tone.playedAt));
        const qint64 end = qMin<qint64>(samples.size(), first + MonitorRecorder::kRate * kWindowMs / 1000);
        if (end - first < MonitorRecorder::kRate / 4) {
            ++heard.missing;
            continue;
        }
        const QVector<qint16> window = samples.mid(first, end - first);
        const QVector<ToneAnalysis::Span> spans = ToneAnalysis::soundingSpans(window);
        const double shortest = kFullClip + (tone.cutOff ? kCutAfterMs / 1000.0 - 0.01 : 0.0);
        if (spans.isEmpty()) {
            ++heard.missing;
            continue;
        }
        if (spans.size() > 1 || spans[0].seconds() < shortest)
            ++heard.gaps;
        qint64 loud = 0;
        while (loud < window.size() && std::abs(window[loud]) < kLoudEnough)
            ++loud;
        heard.delays.push_back(double(recorder.timeOfSample(first + loud) - tone.playedAt) / 1e6);
        const int steepest = ToneAnalysis::steepestStep(window);
        heard.steepest = qMax(heard.steepest, steepest);
        heard.clicks += steepest > ToneAnalysis::clickStep ? 1 : 0;
    }
    return heard;
}

std::vector<Tone> playTones(Sound &sound, const std::vector<QByteArray> &clips, int count, bool cutOff)
{
    std::vector<Tone> tones;
    for (int i = 0; i < count; ++i) {
        settle(kToneSpacingMs);
        tones.push_back({MonitorRecorder::now(), cutOff});
        sound.play(clips[size_t(i) % clips.size()]);
        if (cutOff) {
            settle(kCutAfterMs);
            sound.play(clips[size_t(i + 2) % clips.size()]);
        }
    }
    settle(kToneSpacingMs);
    return tones;
}

std::vector<double> openingCosts(const QString &pulseServer)
{
    std::vector<double> costs;
    for (int i = 0; i < kOpenings; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!pulseServer.isEmpty())
            env.insert(QStringLiteral("PULSE_SERVER"), pulseServer);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open")});
        if (child.waitForFinished(10000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
            costs.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    return costs;
}

// In a fresh process, so loading libpulse counts: the time open() takes on the
// calling thread (the connection goes on in the background).
int openOnce()
{
    PulseSound sound(Identity::title(), Identity::desktopName());
    const qint64 before = MonitorRecorder::now();
    sound.open();
    std::printf("%.3f\n", double(MonitorRecorder::now() - before) / 1e6);
    return 0;
}

void delayRows(const std::string &condition, const Heard &heard, bool withTarget)
{
    const std::string n = std::to_string(heard.delays.size());
    const double med = median(heard.delays);
    const double largest = *std::max_element(heard.delays.begin(), heard.delays.end());
    const bool met = med <= kTargetMedianMs && largest <= kTargetLargestMs;
    row("Tone delay, play() to first sample heard, " + condition + " (n=" + n + ")",
        format("median %.1f ms", med) + format(", largest %.1f ms", largest),
        withTarget ? format("median <= %.0f ms", kTargetMedianMs) + format(", largest <= %.0f ms", kTargetLargestMs)
                   : "",
        withTarget ? (met ? "PASS" : "MISS") : "info");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--open")))
        return openOnce();
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        std::fprintf(stderr, "tone_delay: run under the test sound server (tests/fixtures/pulse.sh)\n");
        return 2;
    }

    std::vector<QByteArray> clips;
    for (int id = 101; id <= 104; ++id) {
        QFile file(QStringLiteral(TESSALY_TONES_DIR "/%1.wav").arg(id));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tone_delay: cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        clips.push_back(file.readAll());
    }

    const std::vector<double> withServer = openingCosts({});
    const std::vector<double> withoutServer = openingCosts(QStringLiteral("unix:/nonexistent/tessaly/native"));

    // The layers as the game puts them together.
    PulseSound server(Identity::title(), Identity::desktopName());
    PipeWireSound graph(Identity::title(), Identity::desktopName());
    AlsaSound device;
    FallbackSound sound(server, graph, device);
    server.open();
    const bool onPipeWire = !server.isAudible() && server.isOnPipeWire();
    if (onPipeWire)
        sound.prepare(); // loads PipeWire's own layer, as the first game does
    if (!(onPipeWire ? graph.isAudible() : server.isAudible())) {
        std::fprintf(stderr, "tone_delay: no sound device\n");
        return 1;
    }
    MonitorRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "tone_delay: cannot record the null sink's monitor\n");
        return 1;
    }
    // Tones as in a game: the stream ready, as New Game leaves it.
    sound.prepare();
    const std::vector<Tone> idle = playTones(sound, clips, kTones, false);

    QProcess stress;
    stress.start(QStringLiteral("stress-ng"), {QStringLiteral("--cpu"), QStringLiteral("2"), QStringLiteral("--timeout"),
                                               QStringLiteral("60s"), QStringLiteral("--quiet")});
    const bool stressed = stress.waitForStarted(5000);
    settle(1000);
    const std::vector<Tone> loaded = playTones(sound, clips, kTones, false);
    stress.terminate();
    stress.waitForFinished(5000);

    const std::vector<Tone> cut = playTones(sound, clips, kCutOffs, true);
    recorder.stop();

    const Heard heardIdle = analyse(recorder, idle);
    const Heard heardLoaded = analyse(recorder, loaded);
    const Heard heardCut = analyse(recorder, cut);
    if (heardIdle.delays.empty() || heardLoaded.delays.empty() || withServer.empty() || withoutServer.empty()) {
        std::fprintf(stderr, "tone_delay: nothing measured\n");
        return 1;
    }

    delayRows("idle", heardIdle, true);
    delayRows(stressed ? "under stress-ng --cpu 2" : "stress-ng missing, idle again", heardLoaded, false);
    const int tones = 2 * kTones + kCutOffs;
    const int missing = heardIdle.missing + heardLoaded.missing + heardCut.missing;
    const int gaps = heardIdle.gaps + heardLoaded.gaps + heardCut.gaps;
    const int clicks = heardIdle.clicks + heardLoaded.clicks + heardCut.clicks;
    row("Tones heard, of " + std::to_string(tones), std::to_string(tones - missing), "all",
        missing == 0 ? "PASS" : "MISS");
    row("Tones with a gap (idle / loaded / cut off)",
        std::to_string(heardIdle.gaps) + " / " + std::to_string(heardLoaded.gaps) + " / "
            + std::to_string(heardCut.gaps),
        "none", gaps == 0 ? "PASS" : "MISS");
    row("Tones with a click (idle / loaded / cut off)",
        std::to_string(heardIdle.clicks) + " / " + std::to_string(heardLoaded.clicks) + " / "
            + std::to_string(heardCut.clicks)
            + format(", steepest step %.0f", qMax(heardIdle.steepest, qMax(heardLoaded.steepest, heardCut.steepest))),
        format("none (step > %.0f)", ToneAnalysis::clickStep), clicks == 0 ? "PASS" : "MISS");
    row("Sound layer open() on the UI thread, sound server (n=" + std::to_string(withServer.size()) + ")",
        format("median %.1f ms", median(withServer))
            + format(", largest %.1f ms", *std::max_element(withServer.begin(), withServer.end())),
        "", "info");
    row("Sound layer open() on the UI thread, no sound server (n=" + std::to_string(withoutServer.size()) + ")",
        format("median %.1f ms", median(withoutServer))
            + format(", largest %.1f ms", *std::max_element(withoutServer.begin(), withoutServer.end())),
        "", "info");
    std::printf("note\tTones (bench/tone_delay): the sound layer (PipeWireSound where the server is PipeWire, else "
                "PulseSound) made ready as New Game does, then 20 tones 450 ms apart, "
                "20 more under stress-ng --cpu 2, and 10 tones each cut off by another %d ms in, recorded from the "
                "null sink's monitor at 22,050 Hz. Delay: play() on the steady clock to the tone's first sample "
                "louder than %d. A gap: a tone heard as more than one stretch of sound, or shorter than %.2f s (plus "
                "the %d ms before the cut). A click: a sample-to-sample step above %d, twice the steepest inside a "
                "clip; a clean onset or fade stays below. open(): loading libpulse and starting the connection, "
                "in a fresh process; the game does it after its first frame.\n",
                kCutAfterMs, kLoudEnough, kFullClip, kCutAfterMs, ToneAnalysis::clickStep);
    return missing == 0 ? 0 : 1;
}
