#include "platform/session/App.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QVersionNumber>

namespace {
QString &helpFilePath()
{
    static QString path;
    return path;
}

QString &languageInUse()
{
    static QString language;
    return language;
}

QVersionNumber version()
{
    return QVersionNumber::fromString(QCoreApplication::applicationVersion());
}
} // namespace

QString App::title()
{
    return QCoreApplication::applicationName();
}

int App::major()
{
    return version().majorVersion();
}

int App::minor()
{
    return version().minorVersion();
}

int App::revision()
{
    return version().microVersion();
}

QString App::path()
{
    return QCoreApplication::applicationDirPath();
}

QString App::language()
{
    return languageInUse();
}

void App::setLanguage(const QString &language)
{
    languageInUse() = language;
}

QString App::localized(const QString &file)
{
    const QFileInfo info(file);
    // "de_AT" falls back to "de"; the file as named is the English one.
    for (QString language = languageInUse(); !language.isEmpty(); language = language.section(u'_', 0, -2)) {
        const QString candidate =
            info.dir().filePath(info.completeBaseName() + u'_' + language + u'.' + info.suffix());
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return file;
}

QString App::helpFile()
{
    return helpFilePath();
}

void App::setHelpFile(const QString &file)
{
    helpFilePath() = file;
}
