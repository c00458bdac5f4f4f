// The rules of one game: New Game, the sequence, its playback on the timer, and the
// judging of the player's presses.
//
// Waits and yields hand events to their handlers, so New Game, a tick or the
// closing of the window may run in the middle of a step. Both advance
// m_generation; a step that yielded compares it before it touches the round again
// and, when it changed, undoes what it lit and returns.
#include "board/frmMain.h"

#include "board/modGlobals.h"
#include "counter/DisplayCounter.h"
#include "platform/HotSpot.h"
#include "platform/MessagePump.h"
#include "platform/Sound.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

void frmMain::mnuGameNew_Click()
{
    ++m_generation;
    // A light that playback left lit belongs to the abandoned game.
    if (tmrShowLights->isActive())
        LightOff(miCurrentLight);
    miSequence.assign(1, 0);
    miPlayerIndex = -1;
    miScore = -1;
    dcLevel->setValue(0);
    miShowIndex = -1;
    miCurrentLight = -1;
    lblGameOver->hide();
    AddToSequence();
    DisableLights();
    tmrShowLights->start();
    // The first light sounds at the first tick; a resting sound device wakes meanwhile.
    if (m_platform.sound)
        m_platform.sound->prepare();
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

double frmMain::darkGap(qint16 speed)
{
    switch (speed) {
    case 0:
        return 0.4;
    case 1:
        return 0.2;
    case 2:
        return 0.05;
    default:
        return 0.0;
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

void frmMain::tmrShowLights_Timer()
{
    // A tick that comes due while another waits in its gap is dropped, not nested.
    if (m_inTick)
        return;
    const QScopedValueRollback inTick(m_inTick, true);
    const quint32 generation = m_generation;
    const double gap = darkGap(modGlobals::giSpeed);

    ++miShowIndex;
    if (miShowIndex > 0) {
        LightOff(miCurrentLight);
        m_platform.pump->wait(gap);
        if (generation != m_generation)
            return;
    }
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
    m_pressGeneration = m_generation;
    m_litByPress.clear();
    {
        // A release that arrives during these yields waits until the press is judged.
        const QScopedValueRollback inPress(m_pressInProgress, true);
        m_platform.pump->doEvents();
        if (m_pressGeneration == m_generation)
            DisableOtherLights(Index);
        if (m_pressGeneration == m_generation) {
            ++miPlayerIndex;
            if (Index != element(miPlayerIndex)) {
                miExpectedLight = element(miPlayerIndex);
                LightOn(miExpectedLight);
                LightOn(Index);
                m_litByPress = {miExpectedLight, Index};
            }
        }
    }
    if (m_releasePending) {
        m_releasePending = false;
        imgClick_MouseUp(m_pendingReleaseIndex, 0, 0, 0.0f, 0.0f);
    }
}

void frmMain::imgClick_MouseUp(qint16 Index, int, int, float, float)
{
    // Only the release of the accepted press counts: a press ignored while another
    // was judged may still bring its release.
    if (!mbLightDown || Index != m_pressIndex)
        return;
    if (m_pressInProgress) {
        m_releasePending = true;
        m_pendingReleaseIndex = Index;
        return;
    }
    mbLightDown = false;
    if (m_pressGeneration != m_generation) {
        abandonPress();
        return;
    }

    PlayTone(Index);
    LightOn(Index);
    m_litByPress.push_back(Index);
    m_platform.pump->wait(0.2);
    if (m_pressGeneration != m_generation) {
        abandonPress();
        return;
    }
    LightOff(Index);
    m_litByPress.clear();

    const qint16 due = element(miPlayerIndex);
    if (Index == due && miPlayerIndex == miScore) {
        if (miScore == maxScore) {
            // The longest sequence a score can count has been repeated: the game ends there.
            endGame(-1);
            return;
        }
        AddToSequence();
        dcLevel->setValue(miScore);
        miPlayerIndex = -1;
        DisableLights();
        miShowIndex = -1;
        miCurrentLight = -1;
        tmrShowLights->start();
        mbClickBusy = false;
    } else if (Index == due) {
        EnableLights();
        mbClickBusy = false;
    } else {
        endGame(miExpectedLight);
    }
}

void frmMain::endGame(qint16 dueLight)
{
    lblGameOver->show();
    LightOff(dueLight);
    DisableLights();
    tmrShowLights->stop();
    CheckHighScore();
    mbClickBusy = false;
}

void frmMain::abandonPress()
{
    // The game this press belonged to is gone: put out what the press lit and free
    // the lights for the game that replaced it.
    for (const qint16 light : m_litByPress)
        LightOff(light);
    m_litByPress.clear();
    mbClickBusy = false;
}
