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

    // The board's client area as on screen now, 426 x 447.
    QImage grabBoard() const;
    // Lights that show brighter than on the idle board, as bits 1 << index.
    static int litLights(const QImage &board, const QImage &idle);
    // The one light lit now, or -1 when none or several are.
    int onlyLitLight(const QImage &idle) const;
    static QPoint lightCentre(int index);
    static constexpr QPoint newGameButton{200, 215};

    // The lights shown one after another by a playback, until none has come for a while.
    QList<int> watchPlayback(const QImage &idle, int expected) const;
    // The board focused and New Game clicked: the one light its playback shows, or -1.
    int newGameByClick(const QImage &idle) const;
    // A game that a first wrong press ends, played up to the name entry with the keyboard
    // in it; false if no name was asked for.
    bool playToTheNameEntry() const;

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
    // Waits until the window has the keyboard; false if it never gets it.
    static bool waitForFocus(const QString &window, int msecs = 5000);
    // Opens a dialog from the board's menus with these keys; the dialog once it has the
    // keyboard, or one with an empty id.
    Window openDialog(const QStringList &keys, QSize size) const;
    // Enter in the dialog of this size once it has the keyboard; false unless it closes.
    bool answerWithEnter(QSize size) const;
    // Waits for a shown window of the game whose title matches the pattern (a regular
    // expression, as xdotool takes it); an empty id when none came in time.
    QString waitForWindowTitled(const QString &pattern, int msecs = 10000) const;
    // The window that has the keyboard focus now.
    static QString focusedWindow();
    // A part of the screen as shown now.
    static QImage grabScreen(const QRect &rect);

    static QString run(const QStringList &xdotoolArguments);
    // A window's frame on screen.
    static QRect windowRect(const QString &window);

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
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_window;
    QPoint m_client;  // screen position of the board's top-left pixel
    QString m_error;
};
