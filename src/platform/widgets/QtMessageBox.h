#pragma once

#include "platform/widgets/MessageBox.h"

// Message boxes as QMessageBox: buttons, icon and default button from the style word,
// the application title when none is given, the classic result code back.
class QtMessageBox final : public MessageBox
{
public:
    int msgBox(QWidget *owner, const QString &prompt, int style, const QString &title) override;
};
