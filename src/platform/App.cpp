#include "platform/App.h"

#include <QCoreApplication>
#include <QIcon>

namespace {
QString &helpFilePath()
{
    static QString path;
    return path;
}
} // namespace

QString App::title()
{
    return QStringLiteral("Tessaly");
}

QIcon App::icon(std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes)
        icon.addFile(QStringLiteral(":/icon/tessaly-%1.png").arg(size), QSize(size, size));
    return icon;
}

int App::major()
{
    return TESSALY_VERSION_MAJOR;
}

int App::minor()
{
    return TESSALY_VERSION_MINOR;
}

int App::revision()
{
    return TESSALY_VERSION_PATCH;
}

QString App::path()
{
    return QCoreApplication::applicationDirPath();
}

QString App::helpFile()
{
    return helpFilePath();
}

void App::setHelpFile(const QString &file)
{
    helpFilePath() = file;
}
