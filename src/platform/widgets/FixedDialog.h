#pragma once

#include <QDialog>

class QPaintEvent;

// A modal dialog of fixed client size with no title bar, system menu or sizing: a
// frameless window that draws its own raised border so that it still reads as a dialog.
// Plain letters press the buttons whose access keys they are (PlainAccessKeys).
class FixedDialog : public QDialog
{
    Q_OBJECT

public:
    FixedDialog(QWidget *owner, const QRect &clientArea);

protected:
    void paintEvent(QPaintEvent *event) override;
};
