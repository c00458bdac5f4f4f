#include "support/XSession.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <csignal>
#include <functional>

namespace {

int brightness(QRgb c)
{
    return qRed(c) + qGreen(c) + qBlue(c);
}

// A finished game's exit code, or -1 when a signal ended it.
int howItEnded(const QProcess &game)
{
    return game.exitStatus() == QProcess::NormalExit ? game.exitCode() : -1;
}

// Looks again every step until the condition holds; false if it still does not after msecs.
bool waitUntil(const std::function<bool()> &condition, int msecs, int step = 100)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.hasExpired(msecs))
            return false;
        QTest::qWait(step);
    }
    return true;
}

} // namespace

XSession::XSession() = default;

XSession::~XSession()
{
    // A test that failed while it held the mouse button must not leave it held.
    run({QStringLiteral("mouseup"), QStringLiteral("1")});
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString XSession::run(const QStringList &xdotoolArguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), xdotoolArguments);
    xdotool.waitForFinished(15000);
    return QString::fromLocal8Bit(xdotool.readAllStandardOutput()).trimmed();
}

bool XSession::start(const QString &configHome, const QProcessEnvironment &extra)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.isEmpty() ? m_dir.path() : configHome);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(extra);
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.start(qEnvironmentVariable("TESSALY_BINARY"), {});
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("the game did not start");
        return false;
    }
    const QString pid = QString::number(m_process.processId());
    if (!waitUntil([&] {
            // --all: this game's board, not any game's board or any window of this game.
            m_window = run({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                            QStringLiteral("--pid"), pid, QStringLiteral("--name"), QStringLiteral("^Tessaly$")})
                           .section(QLatin1Char('\n'), 0, 0);
            return !m_window.isEmpty();
        }, 10000)) {
        m_error = QStringLiteral("no game window appeared");
        return false;
    }
    const QPoint origin = windowRect(m_window).topLeft();
    const int x = origin.x(), y = origin.y();
    // The board starts at the first black row below the menu bar, once painted.
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTest::qWait(100);
        const QImage column = QGuiApplication::primaryScreen()->grabWindow(0, x, y, 1, 120).toImage();
        for (int row = 1; row < column.height(); ++row) {
            if (column.pixel(0, row) == qRgb(0, 0, 0) && column.pixel(0, row - 1) != qRgb(0, 0, 0)) {
                m_client = QPoint(x, y + row);
                return true;
            }
        }
    }
    m_error = QStringLiteral("the board was not found below the menu bar");
    return false;
}

QRect XSession::windowRect(const QString &window)
{
    int x = 0, y = 0, width = 0, height = 0;
    for (const QString &line : run({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}).split('\n')) {
        if (line.startsWith(QLatin1String("X=")))
            x = line.mid(2).toInt();
        else if (line.startsWith(QLatin1String("Y=")))
            y = line.mid(2).toInt();
        else if (line.startsWith(QLatin1String("WIDTH=")))
            width = line.mid(6).toInt();
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            height = line.mid(7).toInt();
    }
    return QRect(x, y, width, height);
}

XSession::Window XSession::dialog(QSize size) const
{
    if (m_process.state() == QProcess::NotRunning)
        return {};
    const QStringList windows = run({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                     QString::number(m_process.processId())})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &window : windows) {
        if (window == m_window)
            continue;
        const QRect rect = windowRect(window);
        if (rect.size() == size)
            return {window, rect};
    }
    return {};
}

XSession::Window XSession::waitForDialog(QSize size, int msecs) const
{
    Window window;
    waitUntil([&] { return !(window = dialog(size)).id.isEmpty(); }, msecs);
    return window;
}

bool XSession::waitForDialogToClose(QSize size, int msecs) const
{
    return waitUntil([&] { return dialog(size).id.isEmpty(); }, msecs);
}

bool XSession::waitForFocus(const QString &window, int msecs)
{
    return waitUntil([&] { return focusedWindow() == window; }, msecs);
}

XSession::Window XSession::openDialog(const QStringList &keys, QSize size) const
{
    focusBoard();
    this->keys(keys);
    const Window dialog = waitForDialog(size);
    return !dialog.id.isEmpty() && waitForFocus(dialog.id) ? dialog : Window{};
}

bool XSession::answerWithEnter(QSize size) const
{
    const Window dialog = waitForDialog(size);
    if (dialog.id.isEmpty() || !waitForFocus(dialog.id))
        return false;
    keys({QStringLiteral("Return")});
    return waitForDialogToClose(size);
}

QString XSession::waitForWindowTitled(const QString &pattern, int msecs) const
{
    QString window;
    waitUntil([&] {
        window = run({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                      QString::number(m_process.processId()), QStringLiteral("--name"), pattern})
                     .section(QLatin1Char('\n'), 0, 0);
        return !window.isEmpty();
    }, msecs);
    return window;
}

QString XSession::focusedWindow()
{
    return run({QStringLiteral("getwindowfocus"), QStringLiteral("-f")});
}

QImage XSession::grabScreen(const QRect &rect)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage XSession::grabBoard() const
{
    return grabScreen(QRect(m_client, QSize(426, 447)));
}

QPoint XSession::lightCentre(int index)
{
    return QPoint(index % 2 ? 214 : 14, index < 2 ? 14 : 214) + QPoint(100, 100);
}

int XSession::litLights(const QImage &board, const QImage &idle)
{
    int lit = 0;
    for (int index = 0; index < 4; ++index) {
        const QPoint c = lightCentre(index);
        if (brightness(board.pixel(c)) > brightness(idle.pixel(c)) + 120)
            lit |= 1 << index;
    }
    return lit;
}

int XSession::onlyLitLight(const QImage &idle) const
{
    const int lit = litLights(grabBoard(), idle);
    for (int index = 0; index < 4; ++index) {
        if (lit == 1 << index)
            return index;
    }
    return -1;
}

QList<int> XSession::watchPlayback(const QImage &idle, int expected) const
{
    QList<int> shown;
    int previous = -1;
    QElapsedTimer sinceLast;
    sinceLast.start();
    while (sinceLast.elapsed() < 1500 && shown.size() < expected + 1) {
        const int lit = onlyLitLight(idle);
        if (lit >= 0 && lit != previous) {
            shown << lit;
            sinceLast.restart();
        }
        previous = lit;
        QTest::qWait(15);
    }
    QTest::qWait(400);
    return shown;
}

int XSession::newGameByClick(const QImage &idle) const
{
    focusBoard();
    click(newGameButton);
    const QList<int> shown = watchPlayback(idle, 1);
    return shown.size() == 1 ? shown[0] : -1;
}

bool XSession::playToTheNameEntry() const
{
    const int shown = newGameByClick(grabBoard());
    if (shown < 0)
        return false;
    click(lightCentre((shown + 1) % 4));
    const Window name = waitForDialog(nameWindow);
    return !name.id.isEmpty() && waitForFocus(name.id);
}

QStringList XSession::pointerTo(QPoint boardPoint) const
{
    const QPoint at = m_client + boardPoint;
    // No --sync: xdotool waits for ever when the pointer is already there. The
    // server takes the motion and what follows in order anyway.
    return {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())};
}

void XSession::click(QPoint boardPoint) const
{
    run(pointerTo(boardPoint) << QStringLiteral("click") << QStringLiteral("1"));
}

void XSession::focusBoard() const
{
    run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), m_window});
}

void XSession::keys(const QStringList &names) const
{
    for (const QString &name : names) {
        run({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), name});
        QTest::qWait(150);
    }
}

void XSession::type(const QString &text) const
{
    run({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

bool XSession::waitForExit(int msecs)
{
    return waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, msecs, 50);
}

int XSession::closeByMenu()
{
    focusBoard();
    keys({QStringLiteral("alt+g"), QStringLiteral("x")});
    return waitForExit() ? exitResult() : -1;
}

void XSession::sendSignal(int number) const
{
    ::kill(pid_t(m_process.processId()), number);
}

int XSession::exitResult() const
{
    return howItEnded(m_process);
}

int XSession::startAgain(int msecs) const
{
    QProcess again;
    again.setProcessEnvironment(m_process.processEnvironment());
    again.setProcessChannelMode(QProcess::ForwardedChannels);
    again.start(m_process.program(), {});
    if (!again.waitForFinished(msecs)) {
        again.kill();
        again.waitForFinished();
        return -1;
    }
    return howItEnded(again);
}

int XSession::boardWindows()
{
    return int(run({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QStringLiteral("^Tessaly$")})
                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                   .size());
}
