#pragma once

#include "scores/ScoreTable.h"

#include <QString>

#include <array>

// A score table in memory for the dialogs' tests; indexes outside 0..4 raise
// SubscriptOutOfRange and change nothing, as the board's properties do.
class FakeScoreTable final : public ScoreTable
{
public:
    FakeScoreTable();

    qint16 Score(qint16 Index) const override;
    void setScore(qint16 Index, qint16 NewScore) override;
    QString PlayerName(qint16 Index) const override;
    void setPlayerName(qint16 Index, const QString &sNewName) override;
    qint16 currentScorePos() const override;
    QString lastNameEntered() const override;
    void saveTable() override;

    // The state as the tests arrange and inspect it.
    std::array<qint16, 5> scores{};
    std::array<QString, 5> names;
    QString lastName{QStringLiteral("Anonymous")};
    qint16 scorePos{0};
    int nameWrites{0};
    int saves{0};

private:
    static void check(qint16 Index);
};
