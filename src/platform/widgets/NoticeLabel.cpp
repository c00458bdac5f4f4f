#include "platform/widgets/NoticeLabel.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *createAccessible(const QString &key, QObject *object)
{
    if (auto *label = qobject_cast<NoticeLabel *>(object); label && key == QLatin1String("NoticeLabel"))
        return new QAccessibleWidget(label, QAccessible::Notification);
    return nullptr;
}

} // namespace

NoticeLabel::NoticeLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    // A plain widget's interface takes its name from here, not from a label's text.
    setAccessibleName(text);
}
