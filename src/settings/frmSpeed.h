#pragma once

#include "platform/widgets/FixedDialog.h"

#include <QtGlobal>

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class OptionButton;

// The playback speed: selecting an option sets the program-wide speed code at once.
// OK is neither default nor cancel: Escape does nothing, and Enter closes the dialog
// only while OK itself has the focus.
class frmSpeed final : public FixedDialog
{
    Q_OBJECT

public:
    explicit frmSpeed(QWidget *owner);

public slots:
    void Form_Load();
    void optSpeed_Click(qint16 Index);
    void cmdOK_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static constexpr int optionCount = 3;

    QLabel *Label1{};
    std::array<OptionButton *, optionCount> optSpeed{};
    QButtonGroup *mOptions{};
    QPushButton *cmdOK{};
};
