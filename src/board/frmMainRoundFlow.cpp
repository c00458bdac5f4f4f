// The rules of one game: New Game, the sequence, its playback on the timer, and the
// judging of the player's presses.
//
// A step that waits (the dark gap before a light, the hold after a release) hands
// its rest to the message pump and returns, so menus, dialogs and ticks run while
// it waits and nothing waits on a loop nested inside another. New Game and closing
// cancel that rest. The yields of a press and of EnableLights still hand events to
// their handlers mid-step: a release that comes during its press's yields is
// judged after the press, and New Game waits for a press or release being judged.
#include "board/frmMain.h"

#include "counter/DisplayCounter.h"
#include "globals/modGlobals.h"
#include "platform/input/HotSpot.h"
#include "platform/sound/Sound.h"

#include <QDialog>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

namespace {

constexpr std::chrono::milliseconds releaseHold{200};

} // namespace

void frmMain::mnuGameNew_Click()
{
    // The press or release being judged finishes first: a game it ends shows Game
    // Over and offers its score to the table, and then the new game starts.
    if (m_pressInProgress || (mbClickBusy && !mbLightDown)) {
        m_newGameAfterStep = true;
        return;
    }
    abandonRound();
    miSequence.assign(1, 0);
    miPlayerIndex = -1;
    miScore = -1;
    dcLevel->setValue(0);
    lblGameOver->hide();
    AddToSequence();
    startPlayback();
    // The first light sounds at the first tick; a resting sound device wakes meanwhile.
    if (m_platform.sound)
        m_platform.sound->prepare();
}

void frmMain::abandonRound()
{
    m_platform.pump->cancel(std::exchange(m_pendingStep, 0));
    // Nothing the abandoned playback or press lit stays lit into what follows.
    if (tmrShowLights->isActive())
        LightOff(miCurrentLight);
    for (const qint16 light : std::exchange(m_litByPress, {}))
        LightOff(light);
    // A press still held is dropped: its release, when it comes, is ignored.
    mbClickBusy = false;
    mbLightDown = false;
    m_newGameAfterStep = false;
    m_gameOverAfterWindow = false;
}

void frmMain::finishStep()
{
    if (std::exchange(m_newGameAfterStep, false))
        mnuGameNew_Click();
}

void frmMain::waitUntil(MessagePump::Clock::time_point deadline, std::function<void()> rest)
{
    m_pendingStep = m_platform.pump->schedule(deadline, [this, rest = std::move(rest)] {
        m_pendingStep = 0;
        rest();
    });
}

void frmMain::AddToSequence()
{
    // r uniform in [0, 1) from 32 random bits; the light is the integer part of r * 4.
    const double r = double(m_generator()) / 4294967296.0;
    const auto light = qint16(r * 4);
    ++miScore;
    miSequence.resize(std::size_t(miScore) + 1);
    miSequence[std::size_t(miScore)] = light;
}

qint16 frmMain::element(int index) const
{
    // An index outside the sequence names no light, so nothing is drawn or sounded.
    return index >= 0 && std::size_t(index) < miSequence.size() ? miSequence[std::size_t(index)] : -1;
}

std::chrono::milliseconds frmMain::darkGap(qint16 speed)
{
    switch (speed) {
    case 0:
        return std::chrono::milliseconds(400);
    case 1:
        return std::chrono::milliseconds(200);
    case 2:
        return std::chrono::milliseconds(50);
    default:
        return std::chrono::milliseconds(0);
    }
}

void frmMain::DisableLights()
{
    for (HotSpot *spot : imgClick)
        spot->setEnabled(false);
}

void frmMain::DisableOtherLights(qint16 Index)
{
    for (qint16 i = 0; i < 4; ++i) {
        if (i != Index)
            imgClick[i]->setEnabled(false);
    }
    m_platform.pump->doEvents();
}

void frmMain::EnableLights()
{
    for (HotSpot *spot : imgClick)
        spot->setEnabled(true);
    m_platform.pump->doEvents();
}

void frmMain::startPlayback()
{
    miShowIndex = -1;
    miCurrentLight = -1;
    DisableLights();
    m_playbackStart = m_platform.pump->now();
    tmrShowLights->start();
}

void frmMain::tmrShowLights_Timer()
{
    // A tick that comes while the previous one waits for its light is dropped, not nested.
    if (m_pendingStep)
        return;
    const std::chrono::milliseconds gap = darkGap(modGlobals::giSpeed);
    ++miShowIndex;
    if (miShowIndex == 0) {
        showNextLight();
        return;
    }
    LightOff(miCurrentLight);
    // Each light keeps its place in the playback's rhythm, so a tick that woke late
    // does not make its light late too. A tick far behind still keeps most of the
    // gap, so one light shown twice in a row still shows as two flashes.
    const auto scheduled = m_playbackStart + tmrShowLights->intervalAsDuration() * (miShowIndex + 1) + gap;
    waitUntil(std::max(scheduled, m_platform.pump->now() + gap * 3 / 4), [this] { showNextLight(); });
}

void frmMain::showNextLight()
{
    if (miShowIndex > miScore) {
        tmrShowLights->stop();
        LightOff(miCurrentLight);
        // Before the lights take presses: a press handled in EnableLights' yield
        // has already advanced it.
        miPlayerIndex = -1;
        EnableLights();
    } else {
        miCurrentLight = element(miShowIndex);
        LightOn(miCurrentLight);
        PlayTone(miCurrentLight);
    }
}

void frmMain::imgClick_MouseDown(qint16 Index, int, int, float, float)
{
    if (mbClickBusy)
        return;
    imgClick[std::size_t(Index)]->setEnabled(false);
    mbClickBusy = true;
    mbLightDown = true;
    m_pressIndex = Index;
    {
        const QScopedValueRollback inPress(m_pressInProgress, true);
        m_platform.pump->doEvents();
        DisableOtherLights(Index);
    }
    if (m_unloaded)
        return;
    ++miPlayerIndex;
    if (Index != element(miPlayerIndex)) {
        miExpectedLight = element(miPlayerIndex);
        LightOn(miExpectedLight);
        LightOn(Index);
        m_litByPress = {miExpectedLight, Index};
    }
    if (std::exchange(m_releasePending, false))
        imgClick_MouseUp(Index, 0, 0, 0.0f, 0.0f);
    finishStep();
}

void frmMain::imgClick_MouseUp(qint16 Index, int, int, float, float)
{
    // Only the release of the accepted press counts: a press ignored while another
    // was judged may still bring its release.
    if (!mbLightDown || Index != m_pressIndex)
        return;
    if (m_pressInProgress) {
        m_releasePending = true;
        return;
    }
    mbLightDown = false;
    PlayTone(Index);
    LightOn(Index);
    waitUntil(m_platform.pump->now() + releaseHold, [this, Index] { judgeRelease(Index); });
}

void frmMain::judgeRelease(qint16 Index)
{
    LightOff(Index);
    m_litByPress.clear();
    if (Index != element(miPlayerIndex)) {
        endGame(miExpectedLight);
    } else if (miPlayerIndex < miScore) {
        EnableLights();
        mbClickBusy = false;
    } else if (miScore == maxScore) {
        // The longest sequence a score can count has been repeated: the game ends there.
        endGame(-1);
    } else {
        AddToSequence();
        dcLevel->setValue(miScore);
        miPlayerIndex = -1;
        startPlayback();
        mbClickBusy = false;
    }
    finishStep();
}

void frmMain::endGame(qint16 dueLight)
{
    LightOff(dueLight);
    DisableLights();
    tmrShowLights->stop();
    // Nothing opens over a window the player opened: Game Over, the name entry and the
    // scores follow once it has closed.
    m_gameOverAfterWindow = m_playerWindows > 0;
    if (!m_gameOverAfterWindow)
        showGameOver();
}

void frmMain::showGameOver()
{
    lblGameOver->show();
    CheckHighScore();
    mbClickBusy = false;
}

void frmMain::showPlayerWindow(QDialog &window)
{
    ++m_playerWindows;
    window.exec();
    if (--m_playerWindows == 0 && std::exchange(m_gameOverAfterWindow, false)) {
        showGameOver();
        finishStep();
    }
}
