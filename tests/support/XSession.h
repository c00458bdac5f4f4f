#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

// The real game binary in a real X server, driven with real mouse and key events
// (xdotool) and watched through screen grabs of its board.
class XSession
{
public:
    XSession();
    ~XSession();

    // Starts the game with a private config folder (or the one given) and waits for its window.
    bool start(const QString &configHome = {}, const QProcessEnvironment &extra = {});
    QString error() const { return m_error; }
    QString configHome() const { return m_configHome; }

    // The board's client area as on screen now, 426 x 447.
    QImage grabBoard() const;
    // Lights that show brighter than on the idle board, as bits 1 << index.
    static int litLights(const QImage &board, const QImage &idle);
    // The one light lit now, or -1 when none or several are.
    int onlyLitLight(const QImage &idle) const;
    static QPoint lightCentre(int index);

    // The lights shown one after another by a playback, until none has come for a while.
    QList<int> watchPlayback(const QImage &idle, int expected) const;

    // A left click at a point of the board.
    void click(QPoint boardPoint) const;
    // xdotool arguments that move the pointer to a point of the board, to chain with
    // other actions in one xdotool run when they must follow one another quickly.
    QStringList pointerTo(QPoint boardPoint) const;
    void focusBoard() const;
    // Keys as xdotool names them ("alt+g", "Return", "F2"), sent to the focused window.
    void keys(const QStringList &names) const;
    void type(const QString &text) const;
    // Closes the game with Game > Exit and returns its exit code (-1 if it hung).
    int closeByMenu();
    bool waitForExit(int msecs = 10000);
    int exitCode() const { return m_process.exitCode(); }

    // The dialogs' client areas, which is how their title-less windows are told apart.
    static constexpr QSize speedWindow{154, 173};
    static constexpr QSize nameWindow{292, 140};
    static constexpr QSize scoresWindow{237, 265};

    // A shown window of the game other than the board: a dialog, found by its client size
    // since the dialogs carry no titles of their own.
    struct Window
    {
        QString id;
        QRect rect;  // on screen
    };
    // The game's shown window of this size, or one with an empty id when none is shown.
    Window dialog(QSize size) const;
    // Waits for such a window to be shown; an empty id when none came in time.
    Window waitForDialog(QSize size, int msecs = 10000) const;
    // Waits until no window of that size is shown; false if one still is.
    bool waitForDialogToClose(QSize size, int msecs = 10000) const;
    // The window that has the keyboard focus now.
    static QString focusedWindow();
    // A part of the screen as shown now.
    static QImage grabScreen(const QRect &rect);

    static QString run(const QStringList &xdotoolArguments);

    // The desktop session around the game: a signal sent to it, how it ended (its exit
    // code, or -1 when a signal ended it), a second start on the same config folder
    // (how that ended, -1 if it was still running after msecs), and the board windows
    // shown on the display by any game.
    void sendSignal(int number) const;
    int exitResult() const;
    int startAgain(int msecs = 10000) const;
    static int boardWindows();
    QString boardWindow() const { return m_window; }

private:
    static QRect windowRect(const QString &window);

    QTemporaryDir m_dir;
    QString m_configHome;
    QProcess m_process;
    QString m_window;
    QPoint m_client;  // screen position of the board's top-left pixel
    QString m_error;
};
