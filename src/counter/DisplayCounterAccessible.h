#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>

class DisplayCounter;

// The counter as assistive technology reads it: a read-only value, the number its
// digits show, also spoken in its name ("Level 3"); before the digits are first
// drawn the name says there is no number yet. The minus label is part of the value,
// not a child of its own.
class DisplayCounterAccessible final : public QAccessibleWidget, public QAccessibleValueInterface
{
    Q_DECLARE_TR_FUNCTIONS(DisplayCounterAccessible)

public:
    explicit DisplayCounterAccessible(DisplayCounter *counter);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Makes counters known to the accessibility framework (once).
    static void install();

private:
    DisplayCounter *counter() const;
};
