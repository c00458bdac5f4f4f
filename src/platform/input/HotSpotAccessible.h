#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class HotSpot;
class QWidget;

// A hot-spot as assistive technology sees it: a button with a name and a description,
// lying on its host widget, unavailable while disabled. Its press action clicks it as
// the mouse would, through its host's router.
class HotSpotAccessible final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    HotSpotAccessible(HotSpot *spot, QWidget *host);

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QPointer<HotSpot> m_spot;
    QPointer<QWidget> m_host;
};
