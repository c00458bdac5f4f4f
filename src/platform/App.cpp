#include "platform/App.h"

#include <QCoreApplication>

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
