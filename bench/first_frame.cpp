// Start-up time to the first painted frame and peak memory of the game against a
// bare Qt window, measured from outside the programs (neither knows it is timed).
//
// Each run starts the program under the X server given by DISPLAY, waits on the
// root window's structure events for a window carrying the child's _NET_WM_PID to
// be mapped, then reads one pixel of that window back from the server every
// millisecond until it shows what the program's first frame paints there: the
// centre of the unlit red light for the game, the window background colour of the
// style for the bare window. Qt paints a top-level window into its backing store
// and puts it on screen in one flush, so one pixel marks the whole frame. The
// window is then closed as a window manager would (WM_DELETE_WINDOW) and wait4()
// gives the child's peak resident size.
//
// Prints tab-separated lines for bench/run.sh: "row", metric, measured, target,
// verdict; and "note", text.
#include "BenchTable.h"

#include <QApplication>
#include <QImage>
#include <QPalette>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <vector>

extern char **environ;

using BenchTable::format;
using BenchTable::median;
using BenchTable::row;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBoardHeight = 447;          // client area below the menu bar
constexpr int kRedCentreX = 14 + 100;      // light 0 at (14, 14), 200 x 200
constexpr int kRedCentreY = 14 + 100;
constexpr auto kTimeout = std::chrono::seconds(15);
constexpr double kTargetRatio = 1.2;

struct Probe
{
    const char *name;
    std::string path;
    // The pixel to watch, in the client area below the menu bar.
    int x;
    int yFromClientTop;
    unsigned long expected; // 0xRRGGBB
};

struct Run
{
    double firstFrameMs{};
    double maxRssMb{};
    // The main thread's share of the start-up: time on a CPU, and time spent
    // runnable but waiting for one (the rest it was blocked).
    double cpuMs{};
    double waitMs{};
};

struct SchedTotals
{
    double cpuMs{};
    double waitMs{};
};

SchedTotals schedTotals(pid_t pid)
{
    // The main thread, which builds and paints the window.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/schedstat");
    double onCpuNs = 0, waitingNs = 0;
    if (!(stat >> onCpuNs >> waitingNs))
        return {};
    return {onCpuNs / 1e6, waitingNs / 1e6};
}

int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void sleepMs(double ms)
{
    const timespec span{0, long(ms * 1e6)};
    nanosleep(&span, nullptr);
}

std::optional<pid_t> windowPid(Display *display, Window window)
{
    static const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type{};
    int format{};
    unsigned long count{}, after{};
    unsigned char *data{};
    std::optional<pid_t> pid;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data)
            == Success
        && data && format == 32 && count == 1)
        pid = pid_t(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

std::optional<unsigned long> pixelAt(Display *display, Window window, int x, int y)
{
    XImage *image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return std::nullopt; // not viewable yet
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

// Waits for the child to end, up to the deadline; kills it if it does not.
std::optional<rusage> reap(pid_t pid, Clock::time_point deadline)
{
    rusage usage{};
    int status = 0;
    while (Clock::now() < deadline) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            return usage;
        if (done < 0)
            return std::nullopt;
        sleepMs(5);
    }
    kill(pid, SIGKILL);
    wait4(pid, &status, 0, &usage);
    return std::nullopt;
}

std::optional<Run> runOnce(Display *display, const Probe &probe, std::string &error)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // drop what earlier runs left queued

    char *argv[] = {const_cast<char *>(probe.path.c_str()), nullptr};
    const Clock::time_point start = Clock::now();
    pid_t pid{};
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
        error = "cannot start " + probe.path;
        return std::nullopt;
    }
    const Clock::time_point deadline = start + kTimeout;

    Window window = 0;
    while (!window && Clock::now() < deadline) {
        while (!window && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && windowPid(display, event.xmap.window) == pid)
                window = event.xmap.window;
        }
        if (!window) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 50);
        }
    }

    std::optional<double> painted;
    SchedTotals sched;
    int clientTop = 0;
    if (window) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        clientTop = attributes.height - kBoardHeight;
        while (!painted && Clock::now() < deadline) {
            const auto pixel = pixelAt(display, window, probe.x, clientTop + probe.yFromClientTop);
            if (pixel == probe.expected) {
                painted = msSince(start);
                sched = schedTotals(pid);
            } else
                sleepMs(1);
        }
        static const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
        static const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = window;
        close.xclient.message_type = protocols;
        close.xclient.format = 32;
        close.xclient.data.l[0] = long(deleteWindow);
        close.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &close);
        XFlush(display);
    } else {
        kill(pid, SIGTERM);
    }

    const auto usage = reap(pid, Clock::now() + std::chrono::seconds(10));
    if (!window)
        error = std::string(probe.name) + ": no window was mapped";
    else if (!painted)
        error = std::string(probe.name) + ": the first frame never showed";
    else if (!usage)
        error = std::string(probe.name) + ": did not end after its window was closed";
    if (!error.empty())
        return std::nullopt;
    return Run{*painted, double(usage->ru_maxrss) / 1024.0, sched.cpuMs, sched.waitMs};
}

std::string range(const char *pattern, const std::vector<double> &values)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return format(pattern, *low) + ".." + format(pattern, *high);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: first_frame <runs> <game binary> <bare window binary>\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));

    // The bare window's background is the style's window colour; asking a
    // QApplication here gives the same palette the bare program gets.
    QApplication app(argc, argv);
    const QRgb background = QApplication::palette().color(QPalette::Window).rgb() & 0xffffff;
    const QImage red(QStringLiteral(TESSALY_ART_DIR "/picRedOff.png"));
    if (red.isNull()) {
        std::fprintf(stderr, "first_frame: cannot read the artwork in %s\n", TESSALY_ART_DIR);
        return 1;
    }
    const QRgb redCentre = red.pixel(100, 100) & 0xffffff;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_frame: cannot open the X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);

    const Probe game{"game", argv[2], kRedCentreX, kRedCentreY, redCentre};
    const Probe bare{"bare window", argv[3], 426 / 2, kBoardHeight / 2, background};

    std::vector<double> gameFrame, bareFrame, gameRss, bareRss, gameCpu, bareCpu, gameWait, bareWait;
    // One unmeasured run of each first, so both start from a warm file cache;
    // then the two alternate, so any drift in the machine's load hits both alike.
    for (int i = -1; i < runs; ++i) {
        for (const Probe *probe : {&game, &bare}) {
            std::string error;
            const auto run = runOnce(display, *probe, error);
            if (!run) {
                std::fprintf(stderr, "first_frame: %s\n", error.c_str());
                return 1;
            }
            if (i < 0)
                continue;
            (probe == &game ? gameFrame : bareFrame).push_back(run->firstFrameMs);
            (probe == &game ? gameRss : bareRss).push_back(run->maxRssMb);
            (probe == &game ? gameCpu : bareCpu).push_back(run->cpuMs);
            (probe == &game ? gameWait : bareWait).push_back(run->waitMs);
        }
    }
    XCloseDisplay(display);

    const double frameRatio = median(gameFrame) / median(bareFrame);
    const double rssRatio = median(gameRss) / median(bareRss);
    const std::string n = std::to_string(runs);
    const std::string target = format("<= %.1fx bare", kTargetRatio);
    row("Start-up to first frame, game (median of " + n + ")",
        format("%.0f ms", median(gameFrame)) + " (" + range("%.0f", gameFrame) + ")", "", "");
    row("Start-up to first frame, bare Qt window (median of " + n + ")",
        format("%.0f ms", median(bareFrame)) + " (" + range("%.0f", bareFrame) + ")", "", "");
    row("Start-up ratio game / bare", format("%.2fx", frameRatio), target,
        frameRatio <= kTargetRatio ? "PASS" : "MISS");
    const auto split = [&](const std::vector<double> &frame, const std::vector<double> &cpu,
                           const std::vector<double> &wait) {
        return format("%.0f on CPU", median(cpu)) + format(", %.0f waiting for a CPU", median(wait))
               + format(", %.0f blocked", median(frame) - median(cpu) - median(wait));
    };
    row("  of which main thread, game (medians, ms)", split(gameFrame, gameCpu, gameWait), "", "info");
    row("  of which main thread, bare (medians, ms)", split(bareFrame, bareCpu, bareWait), "", "info");
    // What the ratio would be on an idle machine, where nothing waits for a CPU.
    const double gameOwn = median(gameFrame) - median(gameWait);
    const double bareOwn = median(bareFrame) - median(bareWait);
    row("  start-up less waiting for a CPU, game / bare",
        format("%.0f", gameOwn) + format(" / %.0f ms", bareOwn) + format(" = %.2fx", gameOwn / bareOwn), "",
        "info");
    row("Peak memory (max RSS), game (median of " + n + ")",
        format("%.1f MB", median(gameRss)) + " (" + range("%.1f", gameRss) + ")", "", "");
    row("Peak memory (max RSS), bare Qt window (median of " + n + ")",
        format("%.1f MB", median(bareRss)) + " (" + range("%.1f", bareRss) + ")", "", "");
    row("Peak memory ratio game / bare", format("%.2fx", rssRatio), target,
        rssRatio <= kTargetRatio ? "PASS" : "MISS");
    std::printf("note\tStart-up: from spawning the process to its window showing its first frame, read from "
                "outside: a window with the child's _NET_WM_PID is mapped, then one pixel is read back "
                "from the X server each millisecond until it shows the unlit red light's centre (game) or "
                "the style's window colour (bare window); ranges are min..max. Main thread: on CPU and waiting for a CPU from "
                "/proc/<pid>/schedstat of the main thread at the first frame, blocked = the rest. Peak memory: ru_maxrss "
                "from wait4() after the window was closed with WM_DELETE_WINDOW.\n");
    return 0;
}
