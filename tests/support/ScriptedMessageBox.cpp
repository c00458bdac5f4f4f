#include "support/ScriptedMessageBox.h"

ScriptedMessageBox::ScriptedMessageBox(QList<int> answers, int fallback)
    : answers{std::move(answers)}
    , fallback{fallback}
{
}

int ScriptedMessageBox::msgBox(QWidget *owner, const QString &prompt, int style, const QString &title)
{
    calls.append({owner, prompt, style, title});
    return answers.isEmpty() ? fallback : answers.takeFirst();
}
