#include "platform/App.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

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
