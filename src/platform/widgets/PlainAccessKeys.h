#pragma once

#include <QObject>

// As in classic dialogs, a plain letter that the focused control does not take
// presses the button or selects the option whose access key it is. Installed on a
// dialog, whose key presses it watches.
class PlainAccessKeys : public QObject
{
    Q_OBJECT

public:
    explicit PlainAccessKeys(QWidget *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_dialog;
};
