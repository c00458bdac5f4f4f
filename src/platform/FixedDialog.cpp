#include "platform/FixedDialog.h"

#include "platform/Twips.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

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

FixedDialog::FixedDialog(QWidget *owner, const QRect &clientArea)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    setFixedSize(clientArea.size());
    // The classic default dialog font, MS Sans Serif 8 pt.
    setFont(Twips::font(QStringLiteral("MS Sans Serif"), 8.25));
}

void FixedDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    // A dark outline keeps the edge visible on a light desktop; inside it, a raised bevel.
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
}

void FixedDialog::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool plain = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    if (plain && text.size() == 1 && text.at(0).isLetterOrNumber()) {
        const QChar key = text.at(0).toUpper();
        const auto buttons = findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons) {
            if (button->isVisible() && button->isEnabled() && accessKey(button->text()) == key) {
                if (button->focusPolicy() != Qt::NoFocus)
                    button->setFocus(Qt::ShortcutFocusReason);
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}
