#pragma once

class QString;
class QWidget;

// A message box asked for with the classic style word: buttons + icon + default button.
class MessageBox
{
public:
    enum Style {
        vbOKOnly = 0,
        vbOKCancel = 1,
        vbYesNo = 4,
        vbCritical = 16,
        vbQuestion = 32,
        vbExclamation = 48,
        vbInformation = 64,
        vbDefaultButton2 = 256,
    };
    enum Result { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

    virtual ~MessageBox() = default;
    // Shows the box modally over owner; an empty title means the application title.
    // Returns the Result of the button pressed.
    virtual int msgBox(QWidget *owner, const QString &prompt, int style, const QString &title) = 0;
};
