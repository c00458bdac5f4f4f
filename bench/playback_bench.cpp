// The playback schedule and the cost of drawing a light, in the real board window
// with the real platform services (the Qt message pump, the sound layer) under an
// X server.
//
// For each speed code the board plays back ten lights from its own timer while
// every synchronous refresh of the board is stamped on the steady clock with the
// lights it shows; the moments each light comes on and goes off are set against
// the designed schedule, counted from the enabling of the timer: tick j at 500·j ms,
// element 0 on at 500 ms, element k >= 1 on at 500·(k+1) ms + d, each off at the
// next tick, the lights enabled at 500·(n+1) ms + d. A light goes off in its tick
// (a precise Qt timer) and comes on from the message pump at its own deadline, so
// the tick's lateness is in the first and not in the second. The process's CPU
// time over the playback is taken from getrusage.
//
// Prints tab-separated lines for bench/run.sh: "row", metric, measured, target,
// verdict; and "note", text.
#include "app/Identity.h"
#include "app/RealPlatform.h"
#include "board/frmMain.h"
#include "globals/modGlobals.h"
#include "platform/pump/QtMessagePump.h"
#include "platform/widgets/Surface.h"
#include "platform/widgets/Twips.h"
#include "support/BoardProbe.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLights = 10;
constexpr double kTickMs = 500.0;
constexpr double kTargetDeviationMs = 5.0;
constexpr double kTargetCpuPercent = 2.0;
constexpr int kLightOnCalls = 1000;
constexpr double kTargetLightOnMs = 1.0;
constexpr quint32 kSeed = 1009;

struct Refresh
{
    Clock::time_point at;
    int lit;
};

struct Playback
{
    std::vector<double> onLateness;  // ms behind the schedule, one per light
    std::vector<double> offLateness;
    // Where the light off's lateness comes from: the tick waking late, and the
    // LightOff (with its refresh) at the start of the tick.
    std::vector<double> tickLateness;
    std::vector<double> lightOffInTick;
    double enabledLateness{};
    double cpuPercent{};
    std::string error;
};

double ms(Clock::duration span)
{
    return std::chrono::duration<double, std::milli>(span).count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The value of largest magnitude, with its sign.
double largest(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end(),
                             [](double a, double b) { return std::abs(a) < std::abs(b); });
}

Playback playBack(BoardProbe &probe, qint16 speed, double gapMs)
{
    Playback result;
    modGlobals::giSpeed = speed;
    probe.setGame(kLights - 1, -1);
    settle(300); // let the repaints of the level counter and the labels go by

    std::vector<Refresh> refreshes;
    refreshes.reserve(64);
    QObject context;
    std::optional<Clock::time_point> enabledAt;
    QEventLoop loop;
    QObject::connect(&probe.surface(), &Surface::refreshed, &context, [&] {
        refreshes.push_back({Clock::now(), probe.litLights()});
        // The playback's last step stops the timer, puts the last light out (this
        // refresh) and enables the lights right after, in the same step.
        if (!enabledAt && !probe.tmrShowLights().isActive()) {
            enabledAt = Clock::now();
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        }
    });
    QTimer::singleShot(int(kTickMs * (kLights + 4)), &loop, &QEventLoop::quit);
    // A companion timer of the same type and interval, started just before the
    // board's, comes due a few microseconds earlier in the same wake-up, so it
    // stamps the moment the event loop woke for each tick.
    std::vector<Clock::time_point> ticks;
    QTimer companion;
    companion.setTimerType(Qt::PreciseTimer);
    companion.setInterval(int(kTickMs));
    QObject::connect(&companion, &QTimer::timeout, &context, [&] { ticks.push_back(Clock::now()); });

    const double cpuBefore = cpuSeconds();
    const Clock::time_point start = Clock::now();
    companion.start();
    probe.setPlayback();
    loop.exec();
    companion.stop();
    const double cpuUsed = cpuSeconds() - cpuBefore;
    QObject::disconnect(&context, nullptr, nullptr, nullptr);

    if (!enabledAt) {
        result.error = "the player's turn never began";
        return result;
    }
    result.cpuPercent = 100.0 * cpuUsed / (ms(*enabledAt - start) / 1000.0);
    result.enabledLateness = ms(*enabledAt - start) - (kTickMs * (kLights + 1) + gapMs);

    // Each change in the lit lights is one light coming on or going off, in order.
    int shown = 0;
    for (const Refresh &refresh : refreshes) {
        const double at = ms(refresh.at - start);
        const int cameOn = refresh.lit & ~shown;
        const int wentOff = shown & ~refresh.lit;
        if (wentOff) {
            const auto k = result.offLateness.size();
            result.offLateness.push_back(at - kTickMs * double(k + 2));
            if (k + 1 < ticks.size())
                result.lightOffInTick.push_back(ms(refresh.at - ticks[k + 1]));
        }
        if (cameOn) {
            const auto k = result.onLateness.size();
            if (k >= size_t(kLights) || cameOn != 1 << probe.sequence()[k]) {
                result.error = "a light came on out of turn";
                return result;
            }
            result.onLateness.push_back(at - (k == 0 ? kTickMs : kTickMs * double(k + 1) + gapMs));
        }
        shown = refresh.lit;
    }
    for (size_t j = 0; j < ticks.size(); ++j)
        result.tickLateness.push_back(ms(ticks[j] - start) - kTickMs * double(j + 1));
    if (result.onLateness.size() != size_t(kLights) || result.offLateness.size() != size_t(kLights)
        || result.lightOffInTick.size() != size_t(kLights))
        result.error = "saw " + std::to_string(result.onLateness.size()) + " lights come on and "
                       + std::to_string(result.offLateness.size()) + " go off";
    return result;
}

std::string format(const char *pattern, double value)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void row(const std::string &metric, const std::string &measured, const std::string &target,
         const std::string &verdict)
{
    std::printf("row\t%s\t%s\t%s\t%s\n", metric.c_str(), measured.c_str(), target.c_str(), verdict.c_str());
}

std::string deviation(const std::vector<double> &lateness)
{
    return format("median %+.2f ms", median(lateness)) + format(", largest %+.2f ms", largest(lateness));
}

// How late the process wakes from a plain sleep, from a precise Qt timer (what
// the ticks use) and from the message pump's deadline (what each light waits
// for), on this machine as loaded now.
void wakeUpReference()
{
    constexpr int kSleeps = 40;
    constexpr int kSpanMs = 25;
    std::vector<double> sleepLate, timerLate, pumpLate;
    for (int i = 0; i < kSleeps; ++i) {
        const Clock::time_point due = Clock::now() + std::chrono::milliseconds(kSpanMs);
        std::this_thread::sleep_until(due);
        sleepLate.push_back(ms(Clock::now() - due));
    }
    for (int i = 0; i < kSleeps; ++i) {
        const Clock::time_point due = Clock::now() + std::chrono::milliseconds(kSpanMs);
        settle(kSpanMs);
        timerLate.push_back(ms(Clock::now() - due));
    }
    QtMessagePump pump;
    for (int i = 0; i < kSleeps; ++i) {
        QEventLoop loop;
        const Clock::time_point due = pump.now() + std::chrono::milliseconds(kSpanMs);
        pump.schedule(due, [&] {
            pumpLate.push_back(ms(Clock::now() - due));
            loop.quit();
        });
        loop.exec();
    }
    const std::string n = std::to_string(kSleeps);
    row("Reference: wake-up lateness, plain 25 ms sleep (" + n + ")",
        format("median %+.2f ms", median(sleepLate)) + format(", largest %+.2f ms", largest(sleepLate)), "",
        "info");
    row("Reference: wake-up lateness, precise 25 ms QTimer (" + n + ")",
        format("median %+.2f ms", median(timerLate)) + format(", largest %+.2f ms", largest(timerLate)), "",
        "info");
    row("Reference: wake-up lateness, message pump deadline 25 ms (" + n + ")",
        format("median %+.2f ms", median(pumpLate)) + format(", largest %+.2f ms", largest(pumpLate)), "",
        "info");
}

// The process's CPU use while the board sits shown and idle, no game running.
void idleReference(const std::string &condition)
{
    constexpr int kIdleMs = 3000;
    const double cpuBefore = cpuSeconds();
    const Clock::time_point start = Clock::now();
    settle(kIdleMs);
    const double percent = 100.0 * (cpuSeconds() - cpuBefore) / (ms(Clock::now() - start) / 1000.0);
    row("Reference: CPU, board idle 3 s, " + condition, format("%.2f %%", percent), "", "info");
}

} // namespace

int main(int argc, char **argv)
{
    Identity::apply();
    QApplication app(argc, argv);
    Twips::installFontSubstitutes();

    RealPlatform real;
    frmMain board(real.services(), kSeed);
    board.show();
    if (!QTest::qWaitForWindowExposed(&board)) {
        std::fprintf(stderr, "playback_bench: the board window was never shown\n");
        return 1;
    }
    BoardProbe probe(board);
    settle(500);

    // With --idle-only <condition>, only the idle CPU use, under the condition named
    // (run.sh uses it to compare with no sound server).
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--idle-only")) {
        idleReference(arguments[2].toStdString());
        board.close();
        return 0;
    }
    wakeUpReference();
    idleReference("sound server up");

    bool failed = false;
    const double gaps[] = {400.0, 200.0, 50.0};
    const std::string target = format("|largest| <= %.0f ms", kTargetDeviationMs);
    for (qint16 speed = 0; speed <= 2; ++speed) {
        const double gap = gaps[speed];
        const Playback run = playBack(probe, speed, gap);
        const std::string name = "Playback speed " + std::to_string(speed) + format(" (d %.0f ms)", gap);
        if (!run.error.empty()) {
            std::fprintf(stderr, "playback_bench: speed %d: %s\n", speed, run.error.c_str());
            row(name, "not measured: " + run.error, target, "FAIL");
            failed = true;
            continue;
        }
        const auto verdict = [](double worst) { return std::abs(worst) <= kTargetDeviationMs ? "PASS" : "MISS"; };
        row(name + ": light on vs schedule (10)", deviation(run.onLateness), target,
            verdict(largest(run.onLateness)));
        row(name + ": light off vs schedule (10)", deviation(run.offLateness), target,
            verdict(largest(run.offLateness)));
        row(name + ": lights enabled vs schedule", format("%+.2f ms", run.enabledLateness), target,
            verdict(run.enabledLateness));
        const auto spread = [](const std::vector<double> &values) {
            return format("%+.2f", median(values)) + format("/%+.2f", largest(values));
        };
        row(name + ": light off, where (median/largest ms)",
            "tick late " + spread(run.tickLateness) + ", LightOff " + spread(run.lightOffInTick), "", "info");
        row(name + ": CPU, share of one core", format("%.2f %%", run.cpuPercent),
            format("<= %.0f %%", kTargetCpuPercent), run.cpuPercent <= kTargetCpuPercent ? "PASS" : "MISS");
    }

    // One light on and off, each with its synchronous refresh, returning to the
    // event loop between pairs as the game does between ticks.
    modGlobals::giSpeed = 1;
    std::vector<double> lightOn, lightOff;
    for (int i = 0; i < kLightOnCalls; ++i) {
        const auto index = qint16(i % 4);
        const Clock::time_point before = Clock::now();
        probe.lightOn(index);
        const Clock::time_point between = Clock::now();
        probe.lightOff(index);
        lightOff.push_back(ms(Clock::now() - between));
        lightOn.push_back(ms(between - before));
        QCoreApplication::processEvents();
    }
    const std::string calls = std::to_string(kLightOnCalls);
    const double onMedian = median(lightOn);
    row("LightOn with synchronous refresh (" + calls + " calls)",
        format("median %.3f ms", onMedian) + format(", max %.2f ms", *std::max_element(lightOn.begin(), lightOn.end())),
        format("median < %.0f ms", kTargetLightOnMs), onMedian < kTargetLightOnMs ? "PASS" : "MISS");
    row("LightOff with synchronous refresh (" + calls + " calls)",
        format("median %.3f ms", median(lightOff))
            + format(", max %.2f ms", *std::max_element(lightOff.begin(), lightOff.end())),
        "", "");

    std::printf("note\tPlayback: ten lights (light i %% 4 at element i) played by the board's own timer in the real "
                "window with the real services, the sound server running; a light is on or off at the "
                "refreshed() signal after its synchronous repaint, the lights are enabled in the playback's last step; "
                "a light comes on at its own deadline on the message pump, so its lateness is the pump's wake-up plus "
                "the LightOn; \"where\" splits a light off's lateness into the tick waking late (a companion timer of "
                "the same interval started with the board's) and the LightOff at the start of the tick; deviations are "
                "measured minus scheduled, so + is late. CPU: getrusage of the whole process (all threads) over the "
                "playback, over its wall time.\n");
    board.close();
    return failed ? 1 : 0;
}
