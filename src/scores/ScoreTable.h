#pragma once

#include <QString>
#include <QtGlobal>

#include <stdexcept>

// Raised by the indexed table properties for an index outside 0..4.
class SubscriptOutOfRange : public std::out_of_range
{
public:
    SubscriptOutOfRange()
        : std::out_of_range("Subscript out of range")
    {
    }
};

// The board's score table as the dialogs see it: five entries, 0 the best.
class ScoreTable
{
public:
    virtual ~ScoreTable() = default;

    virtual qint16 Score(qint16 Index) const = 0;
    virtual void setScore(qint16 Index, qint16 NewScore) = 0;
    virtual QString PlayerName(qint16 Index) const = 0;
    // Also makes sNewName the last name entered.
    virtual void setPlayerName(qint16 Index, const QString &sNewName) = 0;
    // Place the last finished game's score took, -1 for none.
    virtual qint16 currentScorePos() const = 0;
    virtual QString lastNameEntered() const = 0;
    // Makes the table as it is now, with the other stored values, lasting at once.
    virtual void saveTable() = 0;
};
