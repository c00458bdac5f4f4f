#pragma once

#include "platform/widgets/MessageBox.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// A message box that answers from a script and records every question it was asked.
class ScriptedMessageBox final : public MessageBox
{
public:
    struct Call
    {
        QPointer<QWidget> owner;
        QString prompt;
        int style{};
        QString title;
    };

    // Answers the queued results in turn, then fallback for every later question.
    explicit ScriptedMessageBox(QList<int> answers = {}, int fallback = vbCancel);

    int msgBox(QWidget *owner, const QString &prompt, int style, const QString &title) override;

    QList<int> answers;
    int fallback{};
    QList<Call> calls;
};
