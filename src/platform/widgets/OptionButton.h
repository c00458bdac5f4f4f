#pragma once

#include <QRadioButton>

class QEvent;
class QKeyEvent;

// A radio button that behaves like a classic option button: the whole control is its
// click target; every arrow key moves to the next or previous option of its button group
// in order, wrapping, and selects it; its access key selects it at once rather than after
// Qt's 100 ms click animation, which a quickly closed dialog could cut off.
class OptionButton final : public QRadioButton
{
    Q_OBJECT

public:
    OptionButton(const QString &caption, QWidget *parent);

protected:
    bool hitButton(const QPoint &pos) const override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
