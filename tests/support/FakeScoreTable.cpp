#include "support/FakeScoreTable.h"

FakeScoreTable::FakeScoreTable()
{
    names.fill(QStringLiteral("Anonymous"));
}

void FakeScoreTable::check(qint16 Index)
{
    if (Index < 0 || Index > 4)
        throw SubscriptOutOfRange();
}

qint16 FakeScoreTable::Score(qint16 Index) const
{
    check(Index);
    return scores[Index];
}

void FakeScoreTable::setScore(qint16 Index, qint16 NewScore)
{
    check(Index);
    scores[Index] = NewScore;
}

QString FakeScoreTable::PlayerName(qint16 Index) const
{
    check(Index);
    return names[Index];
}

void FakeScoreTable::setPlayerName(qint16 Index, const QString &sNewName)
{
    check(Index);
    names[Index] = sNewName;
    lastName = sNewName;
    ++nameWrites;
}

qint16 FakeScoreTable::currentScorePos() const
{
    return scorePos;
}

QString FakeScoreTable::lastNameEntered() const
{
    return lastName;
}

void FakeScoreTable::saveTable()
{
    ++saves;
}
