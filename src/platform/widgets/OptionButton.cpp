#include "platform/widgets/OptionButton.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QShortcutEvent>

OptionButton::OptionButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
}

bool OptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

bool OptionButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent *>(event)->isAmbiguous()
        && isEnabled()) {
        setFocus(Qt::ShortcutFocusReason);
        click();
        return true;
    }
    return QRadioButton::event(event);
}

void OptionButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
    const bool backward = key == Qt::Key_Up || key == Qt::Key_Left;
    if (!group() || !(forward || backward) || (event->modifiers() & ~Qt::KeypadModifier)) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    const QList<QAbstractButton *> options = group()->buttons();
    const qsizetype count = options.size();
    const qsizetype here = options.indexOf(this);
    for (qsizetype step = 1; step < count; ++step) {
        QAbstractButton *next = options.at((here + (forward ? step : count - step)) % count);
        if (next->isEnabled() && next->isVisibleTo(window())) {
            next->setFocus(Qt::OtherFocusReason);
            next->click();
            break;
        }
    }
    event->accept();
}
