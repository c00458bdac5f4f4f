#include "platform/widgets/PlainAccessKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace {

// The access key of a caption: the character after a single '&'.
QChar accessKey(const QString &caption)
{
    for (qsizetype i = caption.indexOf(u'&'); i >= 0 && i + 1 < caption.size();
         i = caption.indexOf(u'&', i + 2)) {
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toUpper();
    }
    return {};
}

} // namespace

PlainAccessKeys::PlainAccessKeys(QWidget *dialog)
    : QObject(dialog)
    , m_dialog(dialog)
{
    dialog->installEventFilter(this);
}

bool PlainAccessKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_dialog || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    const bool plain = (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    if (!plain || text.size() != 1 || !text.at(0).isLetterOrNumber())
        return false;
    const QChar letter = text.at(0).toUpper();
    const auto buttons = m_dialog->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (button->isVisible() && button->isEnabled() && accessKey(button->text()) == letter) {
            if (button->focusPolicy() != Qt::NoFocus)
                button->setFocus(Qt::ShortcutFocusReason);
            button->click();
            return true;
        }
    }
    return false;
}
