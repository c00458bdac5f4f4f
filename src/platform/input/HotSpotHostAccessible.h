#pragma once

#include <QAccessibleWidget>

class HotSpotRouter;

// The accessible view of a widget that carries hot-spots: its child widgets as
// usual, then one button per hot-spot, in the order the router has them.
class HotSpotHostAccessible final : public QAccessibleWidget
{
public:
    explicit HotSpotHostAccessible(QWidget *host);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    // Makes hosts and hot-spots known to the accessibility framework (once).
    static void install();

private:
    HotSpotRouter *router() const;
};
