#pragma once

#include "platform/widgets/FixedDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class ScoreTable;

// Asks for the name of the table entry just taken by a new score. OK is both the
// default and the cancel button, and every way of closing the window stores the name.
class frmNewHighScore final : public FixedDialog
{
    Q_OBJECT

public:
    frmNewHighScore(ScoreTable &table, QWidget *owner);

public slots:
    void Form_Load();
    void cmdOK_Click();
    void done(int result) override;

private:
    void storeName();

    ScoreTable &mTable;
    QLabel *Label1{};
    QLabel *Label2{};
    QLineEdit *txtName{};
    QPushButton *cmdOK{};
    bool mbNameStored{false};
};
