#include "platform/input/HotSpotHostAccessible.h"

#include "platform/input/HotSpot.h"
#include "platform/input/HotSpotAccessible.h"
#include "platform/input/HotSpotRouter.h"

#include <QWidget>

namespace {

QAccessibleInterface *createAccessible(const QString &key, QObject *object)
{
    if (auto *spot = qobject_cast<HotSpot *>(object); spot && key == QLatin1String("HotSpot"))
        return spot->host() ? new HotSpotAccessible(spot, spot->host()) : nullptr;
    if (auto *widget = qobject_cast<QWidget *>(object); widget && widget->findChild<HotSpotRouter *>(
                                                              QString(), Qt::FindDirectChildrenOnly))
        return new HotSpotHostAccessible(widget);
    return nullptr;
}

} // namespace

HotSpotHostAccessible::HotSpotHostAccessible(QWidget *host)
    : QAccessibleWidget(host, QAccessible::Client)
{
}

void HotSpotHostAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

HotSpotRouter *HotSpotHostAccessible::router() const
{
    return widget()->findChild<HotSpotRouter *>(QString(), Qt::FindDirectChildrenOnly);
}

int HotSpotHostAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + int(router()->spots().size());
}

QAccessibleInterface *HotSpotHostAccessible::child(int index) const
{
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets)
        return QAccessibleWidget::child(index);
    const auto &spots = router()->spots();
    return index - widgets < spots.size() ? QAccessible::queryAccessibleInterface(spots.at(index - widgets))
                                          : nullptr;
}

int HotSpotHostAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const int index = int(router()->spots().indexOf(qobject_cast<HotSpot *>(child->object())));
    return index >= 0 ? QAccessibleWidget::childCount() + index : QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface *HotSpotHostAccessible::childAt(int x, int y) const
{
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    if (HotSpot *spot = router()->hotSpotAt(local))
        return QAccessible::queryAccessibleInterface(spot);
    return QAccessibleWidget::childAt(x, y);
}
