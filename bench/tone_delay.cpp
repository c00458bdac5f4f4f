// Measures how promptly PulseSound is heard: the delay from play() to the tone's
// first sample in a recording of the sound server's null sink, over 20 tones,
// and what constructing a PulseSound costs with and without a sound server.
// Run it with the environment of tests/fixtures/pulse.sh (PULSE_SERVER set).
#include "MonitorRecorder.h"
#include "platform/PulseSound.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kTones = 20;
constexpr int kToneSpacingMs = 450;
constexpr int kConstructions = 7;
constexpr int kLoudEnough = 1500; // the clips peak at 9376

struct Spread
{
    double median;
    double largest;
};

Spread spread(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    return {median, values.back()};
}

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Costs
{
    std::vector<double> constructed;
    std::vector<double> ready;
};

// One construction in a fresh process, so the sound system's one-time set-up counts.
Costs constructionCosts(const QString &pulseServer)
{
    Costs costs;
    for (int i = 0; i < kConstructions; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!pulseServer.isEmpty())
            env.insert(QStringLiteral("PULSE_SERVER"), pulseServer);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--construct")});
        if (!child.waitForFinished(10000) || child.exitStatus() != QProcess::NormalExit
            || child.exitCode() != 0) {
            std::fprintf(stderr, "tone_delay: a construction run failed: %s\n",
                         child.readAllStandardError().trimmed().constData());
            continue;
        }
        const QList<QByteArray> times = child.readAllStandardOutput().trimmed().split(' ');
        costs.constructed.push_back(times.value(0).toDouble());
        costs.ready.push_back(times.value(1).toDouble());
    }
    return costs;
}

// Prints the time the constructor took and the time until the sink was started.
int constructOnce()
{
    PulseSound sound;
    const qint64 before = MonitorRecorder::now();
    sound.open();
    const qint64 constructed = MonitorRecorder::now();
    sound.isAudible();
    const qint64 ready = MonitorRecorder::now();
    std::printf("%.3f %.3f\n", double(constructed - before) / 1e6, double(ready - before) / 1e6);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--construct")))
        return constructOnce();
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

    const Costs withServer = constructionCosts({});
    const Costs withoutServer = constructionCosts(QStringLiteral("unix:/nonexistent/tessaly/native"));

    PulseSound sound;
    sound.open();
    if (!sound.isAudible()) {
        std::fprintf(stderr, "tone_delay: no sound device\n");
        return 1;
    }
    MonitorRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "tone_delay: cannot record the null sink's monitor\n");
        return 1;
    }
    std::vector<qint64> playedAt;
    for (int i = 0; i < kTones; ++i) {
        settle(kToneSpacingMs);
        playedAt.push_back(MonitorRecorder::now());
        sound.play(clips[size_t(i) % clips.size()]);
    }
    settle(kToneSpacingMs);
    recorder.stop();

    const QVector<qint16> samples = recorder.samples();
    std::vector<double> delays;
    for (const qint64 played : playedAt) {
        qint64 index = qMax<qint64>(0, recorder.sampleAt(played));
        const qint64 end = qMin<qint64>(samples.size(), index + MonitorRecorder::kRate / 2);
        while (index < end && std::abs(samples[index]) < kLoudEnough)
            ++index;
        if (index < end)
            delays.push_back(double(recorder.timeOfSample(index) - played) / 1e6);
    }
    if (delays.empty() || withServer.constructed.empty() || withoutServer.constructed.empty()) {
        std::fprintf(stderr, "tone_delay: nothing measured (%zu tones heard)\n", delays.size());
        return 1;
    }

    std::printf("%-46s %10s %10s %4s\n", "measure", "median ms", "largest ms", "n");
    const auto row = [](const char *name, const std::vector<double> &values) {
        const Spread s = spread(values);
        std::printf("%-46s %10.1f %10.1f %4zu\n", name, s.median, s.largest, values.size());
    };
    row("play() to first sample heard", delays);
    row("PulseSound construction, server", withServer.constructed);
    row("PulseSound construction to sink running, server", withServer.ready);
    row("PulseSound construction, no server", withoutServer.constructed);
    std::printf("tones heard: %zu of %d\n", delays.size(), kTones);
    return 0;
}
