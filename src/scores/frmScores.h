#pragma once

#include "platform/widgets/FixedDialog.h"

#include <array>

class MessageBox;
class QLabel;
class QPushButton;
class QWidget;
class ScoreTable;

// The five best scores with their names, the row of a score just entered marked by a
// magenta bar, and clearing of the whole table after a confirmation.
class frmScores final : public FixedDialog
{
    Q_OBJECT

public:
    frmScores(ScoreTable &table, MessageBox &box, QWidget *owner);

public slots:
    void Form_Load();
    void cmdClear_Click();
    void Command1_Click();
    // Escape is the Return button's.
    void reject() override;

private:
    static constexpr int rowCount = 5;

    ScoreTable &mTable;
    MessageBox &mBox;
    QLabel *Label1{};
    QWidget *shpHighlight{};
    std::array<QLabel *, rowCount> Label2{};
    std::array<QLabel *, rowCount> lblName{};
    std::array<QLabel *, rowCount> lblScore{};
    QPushButton *Command1{};
    QPushButton *cmdClear{};
};
