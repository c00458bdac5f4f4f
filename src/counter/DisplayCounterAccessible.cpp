#include "counter/DisplayCounterAccessible.h"

#include "counter/DisplayCounter.h"

#include <limits>

namespace {

QAccessibleInterface *createAccessible(const QString &key, QObject *object)
{
    if (auto *counter = qobject_cast<DisplayCounter *>(object); counter && key == QLatin1String("DisplayCounter"))
        return new DisplayCounterAccessible(counter);
    return nullptr;
}

} // namespace

DisplayCounterAccessible::DisplayCounterAccessible(DisplayCounter *counter)
    : QAccessibleWidget(counter, QAccessible::StaticText)
{
}

void DisplayCounterAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

DisplayCounter *DisplayCounterAccessible::counter() const
{
    return static_cast<DisplayCounter *>(widget());
}

QString DisplayCounterAccessible::text(QAccessible::Text t) const
{
    const std::optional<qint16> shown = counter()->shownValue();
    const QString name = counter()->accessibleName();
    switch (t) {
    case QAccessible::Name:
        if (name.isEmpty())
            return shown ? QString::number(*shown) : QString();
        return shown ? tr("%1 %2", "the counter's name and the number it shows, as in \"Level 3\"")
                           .arg(name)
                           .arg(*shown)
                     : tr("%1: none yet", "the counter's name before it has shown a number: \"Level: none yet\"")
                           .arg(name);
    case QAccessible::Value:
        return shown ? QString::number(*shown) : QString();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State DisplayCounterAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
}

int DisplayCounterAccessible::childCount() const
{
    return 0;
}

QAccessibleInterface *DisplayCounterAccessible::child(int) const
{
    return nullptr;
}

int DisplayCounterAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *DisplayCounterAccessible::childAt(int, int) const
{
    return nullptr;
}

void *DisplayCounterAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface *>(this)
                                               : QAccessibleWidget::interface_cast(type);
}

QVariant DisplayCounterAccessible::currentValue() const
{
    const std::optional<qint16> shown = counter()->shownValue();
    return shown ? QVariant(int(*shown)) : QVariant();
}

void DisplayCounterAccessible::setCurrentValue(const QVariant &)
{
    // A display: the number is the program's to set.
}

QVariant DisplayCounterAccessible::maximumValue() const
{
    return int(DisplayCounter::maxValue);
}

QVariant DisplayCounterAccessible::minimumValue() const
{
    return int(std::numeric_limits<qint16>::min());
}

QVariant DisplayCounterAccessible::minimumStepSize() const
{
    return 1;
}
