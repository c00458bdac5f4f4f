// The board's score table: the accessors the dialogs use, the insertion at game
// over, and the twelve stored values read at start-up and written at shut-down and
// whenever one is decided.
#include "board/frmMain.h"

#include "globals/modGlobals.h"
#include "platform/session/App.h"
#include "platform/store/SettingsStore.h"
#include "scores/StoredNumber.h"
#include "scores/frmNewHighScore.h"
#include "scores/frmScores.h"

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

void frmMain::CheckHighScore()
{
    miCurrentScorePos = -1;
    for (qint16 i = 0; i < 5; ++i) {
        if (miScore >= miScores[std::size_t(i)]) {
            miCurrentScorePos = i;
            break;
        }
    }
    if (miCurrentScorePos == -1)
        return;
    for (int j = 4; j > miCurrentScorePos; --j) {
        miScores[std::size_t(j)] = miScores[std::size_t(j - 1)];
        msNames[std::size_t(j)] = msNames[std::size_t(j - 1)];
    }
    miScores[std::size_t(miCurrentScorePos)] = miScore;
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

void frmMain::ReadSettings()
{
    SettingsStore &store = *m_platform.store;
    const QString app = App::title();
    for (int i = 0; i < 5; ++i) {
        const QString text = store.get(app, scoresSection, QStringLiteral("Score%1").arg(i + 1), QStringLiteral("0"));
        miScores[std::size_t(i)] = StoredNumber::toInt16(text).value_or(0);
    }
    for (int i = 0; i < 5; ++i)
        msNames[std::size_t(i)] = store.get(app, scoresSection, QStringLiteral("Name%1").arg(i + 1), ScoreTable::anonymous());
    msLastNameEntered = store.get(app, scoresSection, QStringLiteral("Last Name Entered"), ScoreTable::anonymous());
    const QString speed = store.get(app, settingsSection, QStringLiteral("Speed"), QStringLiteral("1"));
    modGlobals::giSpeed = StoredNumber::toInt16(speed).value_or(1);
}

void frmMain::WriteSettings()
{
    SettingsStore &store = *m_platform.store;
    const QString app = App::title();
    for (int i = 0; i < 5; ++i)
        store.save(app, scoresSection, QStringLiteral("Score%1").arg(i + 1), QString::number(miScores[std::size_t(i)]));
    for (int i = 0; i < 5; ++i)
        store.save(app, scoresSection, QStringLiteral("Name%1").arg(i + 1), msNames[std::size_t(i)]);
    store.save(app, scoresSection, QStringLiteral("Last Name Entered"), msLastNameEntered);
    store.save(app, settingsSection, QStringLiteral("Speed"), QString::number(modGlobals::giSpeed));
    store.flush();
}
