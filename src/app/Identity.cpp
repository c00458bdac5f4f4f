#include "app/Identity.h"

#include <QGuiApplication>
#include <QIcon>

QString Identity::title()
{
    return QStringLiteral("Tessaly");
}

QString Identity::version()
{
    return QStringLiteral(TESSALY_VERSION);
}

QString Identity::desktopName()
{
    return QStringLiteral("tessaly");
}

QIcon Identity::icon(std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes)
        icon.addFile(QStringLiteral(":/icon/tessaly-%1.png").arg(size), QSize(size, size));
    return icon;
}

void Identity::apply()
{
    QCoreApplication::setApplicationName(title());
    QCoreApplication::setApplicationVersion(version());
    QGuiApplication::setDesktopFileName(desktopName());
}
