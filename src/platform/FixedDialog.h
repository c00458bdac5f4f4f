#pragma once

#include <QDialog>

class QKeyEvent;
class QPaintEvent;

// A modal dialog of fixed client size with no title bar, system menu or sizing: a
// frameless window that draws its own raised border so that it still reads as a dialog.
// As in classic dialogs, a plain letter that the focused control does not take presses
// the button or selects the option whose access key it is.
class FixedDialog : public QDialog
{
    Q_OBJECT

public:
    FixedDialog(QWidget *owner, const QRect &clientArea);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
