// The board's score table: the accessors the dialogs use, the insertion at game
// over, and the twelve stored values read at start-up and written at shut-down and
// whenever one is decided, the table merged with what another copy stored meanwhile.
#include "board/frmMain.h"

#include "globals/modGlobals.h"
#include "platform/session/App.h"
#include "platform/store/SettingsStore.h"
#include "scores/frmNewHighScore.h"
#include "scores/frmScores.h"
#include "scores/StoredNumber.h"

namespace {

const QString scoresSection = QStringLiteral("Scores");
const QString settingsSection = QStringLiteral("Settings");

void checkIndex(qint16 Index)
{
    if (Index < 0 || Index > 4)
        throw SubscriptOutOfRange();
}

} // namespace

qint16 frmMain::Score(qint16 Index) const
{
    checkIndex(Index);
    return miScores[std::size_t(Index)];
}

void frmMain::setScore(qint16 Index, qint16 NewScore)
{
    checkIndex(Index);
    miScores[std::size_t(Index)] = NewScore;
    // Only the scores window sets a score, as it clears the table: what it leaves replaces
    // what is stored, rather than merging with it.
    m_tableRewritten = true;
    m_rowAdded[std::size_t(Index)] = false;
}

QString frmMain::PlayerName(qint16 Index) const
{
    checkIndex(Index);
    return msNames[std::size_t(Index)];
}

void frmMain::setPlayerName(qint16 Index, const QString &sNewName)
{
    checkIndex(Index);
    msNames[std::size_t(Index)] = sNewName;
    msLastNameEntered = sNewName;
}

qint16 frmMain::placeFor(qint16 score) const
{
    // Below every better score, above its equals.
    for (qint16 i = 0; i < 5; ++i) {
        if (score >= miScores[std::size_t(i)])
            return i;
    }
    return -1;
}

void frmMain::makeRoom(qint16 place)
{
    for (std::size_t j = 4; j > std::size_t(place); --j) {
        miScores[j] = miScores[j - 1];
        msNames[j] = msNames[j - 1];
        m_rowAdded[j] = m_rowAdded[j - 1];
    }
}

void frmMain::CheckHighScore()
{
    miCurrentScorePos = placeFor(miScore);
    if (miCurrentScorePos == -1)
        return;
    makeRoom(miCurrentScorePos);
    miScores[std::size_t(miCurrentScorePos)] = miScore;
    m_rowAdded[std::size_t(miCurrentScorePos)] = true;
    modGlobals::giCurrentScorePos = miCurrentScorePos;
    {
        frmNewHighScore nameEntry(*this, this);
        nameEntry.exec();
    }
    // The board unloads behind the name entry only when the session ends; it has then
    // stored the name and shows nothing more.
    if (!m_unloaded) {
        saveTable();
        frmScores scores(*this, *m_platform.messageBox, this);
        scores.exec();
    }
    modGlobals::giCurrentScorePos = -1;
}

void frmMain::readTable()
{
    SettingsStore &store = *m_platform.store;
    const QString app = App::title();
    for (int i = 0; i < 5; ++i) {
        const QString text = store.get(app, scoresSection, QStringLiteral("Score%1").arg(i + 1), QStringLiteral("0"));
        miScores[std::size_t(i)] = StoredNumber::toInt16(text).value_or(0);
    }
    for (int i = 0; i < 5; ++i)
        msNames[std::size_t(i)] = store.get(app, scoresSection, QStringLiteral("Name%1").arg(i + 1), ScoreTable::anonymous());
}

void frmMain::mergeStoredTable()
{
    // After a Clear the table as the player left it is written: the Clear cleared what
    // was stored at that moment.
    if (m_tableRewritten)
        return;
    // Otherwise what another copy of the game stored stays, and this copy's own new rows
    // go into it as into the table, worst first so that the newer of two equals stays
    // above. The score being named keeps its mark where it lands.
    const std::array<qint16, 5> scores = miScores;
    const std::array<QString, 5> names = msNames;
    const std::array<bool, 5> added = std::exchange(m_rowAdded, {});
    readTable();
    qint16 current = -1;
    for (qint16 row = 4; row >= 0; --row) {
        const qint16 place = added[std::size_t(row)] ? placeFor(scores[std::size_t(row)]) : qint16(-1);
        if (place < 0)
            continue;
        makeRoom(place);
        miScores[std::size_t(place)] = scores[std::size_t(row)];
        msNames[std::size_t(place)] = names[std::size_t(row)];
        m_rowAdded[std::size_t(place)] = true;
        if (current >= place)
            current = current < 4 ? qint16(current + 1) : qint16(-1);
        if (row == miCurrentScorePos)
            current = place;
    }
    if (miCurrentScorePos >= 0 && added[std::size_t(miCurrentScorePos)]) {
        miCurrentScorePos = current;
        if (modGlobals::giCurrentScorePos != -1)
            modGlobals::giCurrentScorePos = current;
    }
}

void frmMain::ReadSettings()
{
    SettingsStore &store = *m_platform.store;
    const QString app = App::title();
    readTable();
    msLastNameEntered = store.get(app, scoresSection, QStringLiteral("Last Name Entered"), ScoreTable::anonymous());
    const QString speed = store.get(app, settingsSection, QStringLiteral("Speed"), QStringLiteral("1"));
    modGlobals::giSpeed = StoredNumber::toInt16(speed).value_or(1);
}

void frmMain::WriteSettings()
{
    SettingsStore &store = *m_platform.store;
    const QString app = App::title();
    // Another copy of the game, in another session of the player, may have written since.
    store.reload();
    mergeStoredTable();
    for (int i = 0; i < 5; ++i)
        store.save(app, scoresSection, QStringLiteral("Score%1").arg(i + 1), QString::number(miScores[std::size_t(i)]));
    for (int i = 0; i < 5; ++i)
        store.save(app, scoresSection, QStringLiteral("Name%1").arg(i + 1), msNames[std::size_t(i)]);
    store.save(app, scoresSection, QStringLiteral("Last Name Entered"), msLastNameEntered);
    store.save(app, settingsSection, QStringLiteral("Speed"), QString::number(modGlobals::giSpeed));
    // What did not reach the store is merged again at the next write.
    if (store.flush()) {
        m_rowAdded = {};
        m_tableRewritten = false;
    }
}
