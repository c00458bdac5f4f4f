#pragma once

#include "platform/Platform.h"
#include "platform/pump/MessagePump.h"
#include "scores/ScoreTable.h"

#include <QByteArray>
#include <QImage>
#include <QMainWindow>
#include <QString>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

class DisplayCounter;
class HotSpot;
class HotSpotRouter;
class QDialog;
class QLabel;
class QTimer;
class Surface;
class clsWinHelp;

// The board window: the four lights, the New Game button, the level counter and
// the menus; it owns the round state, the artwork, the tones and the score table.
class frmMain : public QMainWindow, public ScoreTable
{
    Q_OBJECT
public:
    // seed starts the light generator; the clock's time when empty.
    explicit frmMain(const Platform &platform, std::optional<quint32> seed = {}, QWidget *parent = nullptr);
    ~frmMain() override;

    // The score table as the dialogs reach it.
    qint16 Score(qint16 Index) const override;
    void setScore(qint16 Index, qint16 NewScore) override;
    QString PlayerName(qint16 Index) const override;
    void setPlayerName(qint16 Index, const QString &sNewName) override;
    qint16 currentScorePos() const override { return miCurrentScorePos; }
    QString lastNameEntered() const override { return msLastNameEntered; }
    void saveTable() override;

    // The desktop session. Its end (a signal, the session manager) closes the board as
    // closing it would, from any state and whatever window is open over it; a second
    // start of the game shows the board, or the window open over it, to the player.
    void endSession();
    void bringToFront();

    // Event handlers; the menus, hot-spots and timer call them, and so may tests.
    void mnuGameNew_Click();
    void mnuGameExit_Click();
    void mnuGameSpeed_Click();
    void mnuGameScores_Click();
    void mnuHelpContents_Click();
    void mnuHelpBCGames_Click();
    void mnuHelpAbout_Click();
    void imgNew_MouseDown(int Button, int Shift, float X, float Y);
    void imgNew_MouseUp(int Button, int Shift, float X, float Y);
    // The press on the button ended without a release (a modal window took the mouse).
    void imgNew_MouseCancel();
    void imgClick_MouseDown(qint16 Index, int Button, int Shift, float X, float Y);
    void imgClick_MouseUp(qint16 Index, int Button, int Shift, float X, float Y);
    void tmrShowLights_Timer();

    qint16 miCurrentScorePos{0};
    QString msLastNameEntered;

    // The score a game can reach at most: the sequence then holds 32768 lights.
    static constexpr qint16 maxScore = 32767;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    friend class BoardProbe;

    void createControls();
    void createMenus();
    void loadArtwork();
    void Form_Load();
    void Form_Unload();
    void ReadSettings();
    void WriteSettings();
    void readTable();
    void mergeStoredTable();
    // The row a score takes in the table, -1 for none; room made there, the last row dropped.
    qint16 placeFor(qint16 score) const;
    void makeRoom(qint16 place);
    void closeDialogs();

    // Round flow.
    void AddToSequence();
    void DisableLights();
    void DisableOtherLights(qint16 Index);
    void EnableLights();
    void startPlayback();
    void showNextLight();
    void judgeRelease(qint16 Index);
    void endGame(qint16 dueLight);
    void showGameOver();
    // Shows a window the player opened from the menus, modal; a game that ended behind
    // it shows its end once it has closed.
    void showPlayerWindow(QDialog &window);
    void abandonRound();
    void finishStep();
    // Runs rest at deadline from the event loop, as the round's one pending step.
    void waitUntil(MessagePump::Clock::time_point deadline, std::function<void()> rest);
    qint16 element(int index) const;
    static std::chrono::milliseconds darkGap(qint16 speed);

    // Drawing.
    void DrawBoard();
    void PlaceHotSpots();
    void LightOn(qint16 index);
    void LightOff(qint16 index);
    void DrawNewButtonDown();
    void DrawNewButtonUp();
    void stamp(const QImage &sprite, const QImage &mask, int x, int y, QSize size);
    void stampNewButton(const QImage &picture);
    const QImage &lightPicture(qint16 index, bool lit) const;
    QPoint lightPosition(qint16 index) const;
    QPointF newButtonPosition() const;

    void PlayTone(qint16 index);
    void CheckHighScore();

    Platform m_platform;
    std::optional<quint32> m_seed;
    std::mt19937 m_generator;

    // Controls.
    Surface *m_surface{};
    HotSpotRouter *m_router{};
    std::array<HotSpot *, 4> imgClick{};
    HotSpot *imgNew{};
    QLabel *lblGameOver{};
    QLabel *Label1{};
    DisplayCounter *dcLevel{};
    QTimer *tmrShowLights{};

    // Artwork.
    QImage picRedOff, picRedOn, picYellowOff, picYellowOn, picBlueOff, picBlueOn, picGreenOff,
        picGreenOn, picLightMask, picIndent, picIndentMask, picNewUp, picNewDown, picNewGameMask;

    // Geometry.
    qint16 miRowSpacing{}, miColSpacing{}, miTopY{}, miBottomY{}, miLeftX{}, miRightX{};

    std::array<QByteArray, 4> mabTone;

    // Round state. The two positions are wider than the score so that they can step
    // one past the last element of the longest sequence.
    std::vector<qint16> miSequence;
    qint16 miScore{};
    int miShowIndex{};
    qint16 miCurrentLight{};
    int miPlayerIndex{};
    qint16 miExpectedLight{};
    bool mbClickBusy{};
    bool mbLightDown{};

    // The rest of a step waiting on the pump (0 when none), and the moment the
    // playback timer started, from which each light's moment is counted.
    quint64 m_pendingStep{};
    MessagePump::Clock::time_point m_playbackStart;
    // The accepted press: its light, the lights it lit, whether it is still in its
    // yields and whether its release came during them.
    qint16 m_pressIndex{-1};
    std::vector<qint16> m_litByPress;
    bool m_pressInProgress{};
    bool m_releasePending{};
    // New Game came while a press or release was judged; it runs when that ends.
    bool m_newGameAfterStep{};
    // The windows the player opened that are showing, and a game ended behind them.
    int m_playerWindows{};
    bool m_gameOverAfterWindow{};
    bool m_unloaded{};

    // Score table.
    std::array<qint16, 5> miScores{};
    std::array<QString, 5> msNames;
    // What this copy changed since it last read or wrote the stored table: the rows it
    // added, and whether the player rewrote the whole table (a Clear).
    std::array<bool, 5> m_rowAdded{};
    bool m_tableRewritten{};

    std::unique_ptr<clsWinHelp> moWinHelp;
};
