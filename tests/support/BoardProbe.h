#pragma once

#include <QEvent>
#include <QImage>
#include <QKeyCombination>
#include <QtGlobal>

#include <array>
#include <vector>

class DisplayCounter;
class HotSpot;
class HotSpotRouter;
class QLabel;
class QTimer;
class Surface;
class frmMain;

// A test's view into the board window: its round state, controls and artwork,
// and the private operations the tests drive directly.
class BoardProbe
{
public:
    explicit BoardProbe(frmMain &board)
        : m_board(board)
    {
    }

    const std::vector<qint16> &sequence() const;
    qint16 score() const;
    int showIndex() const;
    int playerIndex() const;
    qint16 currentLight() const;
    bool clickBusy() const;
    bool lightDown() const;
    // The light of the latest accepted press.
    qint16 pressIndex() const;
    const std::array<qint16, 5> &scores() const;

    Surface &surface() const;
    HotSpotRouter &router() const;
    HotSpot &imgClick(int index) const;
    HotSpot &imgNew() const;
    QLabel &lblGameOver() const;
    QLabel &label1() const;
    DisplayCounter &dcLevel() const;
    QTimer &tmrShowLights() const;
    bool lightsEnabled() const;   // all four
    bool lightsDisabled() const;  // none of the four
    const QByteArray &tone(int index) const;

    // Which lights the board image shows lit, as bits 1 << index.
    int litLights() const;
    const QImage &picture(const char *name) const;
    QPoint lightPosition(qint16 index) const;

    void lightOn(qint16 index);
    void lightOff(qint16 index);
    // Plays a game that has reached score: a sequence of score + 1 lights (light i % 4
    // at element i), the player about to press element playerIndex + 1.
    void setGame(qint16 score, int playerIndex);
    void setScores(const std::array<qint16, 5> &scores);
    // Starts the playback of the current sequence from its beginning.
    void setPlayback();
    // A key going down (QEvent::KeyPress) or up on the board, as the keyboard sends it;
    // scanCode names the physical key, 0 none.
    void sendKey(QEvent::Type type, QKeyCombination key, bool autoRepeat = false, quint32 scanCode = 0);

private:
    frmMain &m_board;
};
