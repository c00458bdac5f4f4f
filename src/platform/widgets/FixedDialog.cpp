#include "platform/widgets/FixedDialog.h"

#include "platform/widgets/PlainAccessKeys.h"
#include "platform/widgets/Twips.h"

#include <QPainter>
#include <qdrawutil.h>

FixedDialog::FixedDialog(QWidget *owner, const QRect &clientArea)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    setFixedSize(clientArea.size());
    // The classic default dialog font, MS Sans Serif 8 pt.
    setFont(Twips::font(QStringLiteral("MS Sans Serif"), 8.25));
    new PlainAccessKeys(this);
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
