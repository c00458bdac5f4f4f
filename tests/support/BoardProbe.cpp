#include "support/BoardProbe.h"

#include "board/frmMain.h"
#include "platform/input/HotSpot.h"
#include "platform/widgets/Surface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cstring>

const std::vector<qint16> &BoardProbe::sequence() const { return m_board.miSequence; }
qint16 BoardProbe::score() const { return m_board.miScore; }
int BoardProbe::showIndex() const { return m_board.miShowIndex; }
int BoardProbe::playerIndex() const { return m_board.miPlayerIndex; }
qint16 BoardProbe::currentLight() const { return m_board.miCurrentLight; }
bool BoardProbe::clickBusy() const { return m_board.mbClickBusy; }
bool BoardProbe::lightDown() const { return m_board.mbLightDown; }
qint16 BoardProbe::pressIndex() const { return m_board.m_pressIndex; }
const std::array<qint16, 5> &BoardProbe::scores() const { return m_board.miScores; }

Surface &BoardProbe::surface() const { return *m_board.m_surface; }
HotSpotRouter &BoardProbe::router() const { return *m_board.m_router; }
HotSpot &BoardProbe::imgClick(int index) const { return *m_board.imgClick[std::size_t(index)]; }
HotSpot &BoardProbe::imgNew() const { return *m_board.imgNew; }
QLabel &BoardProbe::lblGameOver() const { return *m_board.lblGameOver; }
QLabel &BoardProbe::label1() const { return *m_board.Label1; }
DisplayCounter &BoardProbe::dcLevel() const { return *m_board.dcLevel; }
QTimer &BoardProbe::tmrShowLights() const { return *m_board.tmrShowLights; }
const QByteArray &BoardProbe::tone(int index) const { return m_board.mabTone[std::size_t(index)]; }

bool BoardProbe::lightsEnabled() const
{
    for (const HotSpot *spot : m_board.imgClick) {
        if (!spot->isEnabled())
            return false;
    }
    return true;
}

bool BoardProbe::lightsDisabled() const
{
    for (const HotSpot *spot : m_board.imgClick) {
        if (spot->isEnabled())
            return false;
    }
    return true;
}

int BoardProbe::litLights() const
{
    // The centre of a light shows its lit picture's centre colour only when lit.
    int lit = 0;
    for (qint16 index = 0; index < 4; ++index) {
        const QPoint at = m_board.lightPosition(index);
        const QPoint centre(100, 100);
        const QRgb shown = m_board.m_surface->image().pixel(at + centre);
        if (shown == m_board.lightPicture(index, true).pixel(centre))
            lit |= 1 << index;
    }
    return lit;
}

const QImage &BoardProbe::picture(const char *name) const
{
    struct Entry
    {
        const char *name;
        const QImage frmMain::*picture;
    };
    static const Entry entries[] = {
        {"picRedOff", &frmMain::picRedOff},       {"picRedOn", &frmMain::picRedOn},
        {"picYellowOff", &frmMain::picYellowOff}, {"picYellowOn", &frmMain::picYellowOn},
        {"picBlueOff", &frmMain::picBlueOff},     {"picBlueOn", &frmMain::picBlueOn},
        {"picGreenOff", &frmMain::picGreenOff},   {"picGreenOn", &frmMain::picGreenOn},
        {"picLightMask", &frmMain::picLightMask}, {"picIndent", &frmMain::picIndent},
        {"picIndentMask", &frmMain::picIndentMask}, {"picNewUp", &frmMain::picNewUp},
        {"picNewDown", &frmMain::picNewDown},     {"picNewGameMask", &frmMain::picNewGameMask},
    };
    for (const Entry &entry : entries) {
        if (std::strcmp(entry.name, name) == 0)
            return m_board.*entry.picture;
    }
    static const QImage none;
    return none;
}

QPoint BoardProbe::lightPosition(qint16 index) const { return m_board.lightPosition(index); }
void BoardProbe::lightOn(qint16 index) { m_board.LightOn(index); }
void BoardProbe::lightOff(qint16 index) { m_board.LightOff(index); }

void BoardProbe::setGame(qint16 score, int playerIndex)
{
    m_board.mnuGameNew_Click();
    m_board.tmrShowLights->stop();
    m_board.miSequence.resize(std::size_t(score) + 1);
    for (std::size_t i = 0; i < m_board.miSequence.size(); ++i)
        m_board.miSequence[i] = qint16(i % 4);
    m_board.miScore = score;
    m_board.miPlayerIndex = playerIndex;
    m_board.EnableLights();
}

void BoardProbe::setScores(const std::array<qint16, 5> &scores)
{
    m_board.miScores = scores;
}

void BoardProbe::setPlayback()
{
    m_board.startPlayback();
}

void BoardProbe::sendKey(QEvent::Type type, QKeyCombination key, bool autoRepeat, quint32 scanCode)
{
    QKeyEvent event(type, key.key(), key.keyboardModifiers(), scanCode, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(m_board.m_surface, &event);
}
