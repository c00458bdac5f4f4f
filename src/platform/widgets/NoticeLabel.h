#pragma once

#include <QLabel>

// A label that tells the player of a state of the program when it shows: assistive
// technology sees it as a notification named by its text, and announces it each
// time it is shown.
class NoticeLabel : public QLabel
{
    Q_OBJECT
public:
    NoticeLabel(const QString &text, QWidget *parent);
};
