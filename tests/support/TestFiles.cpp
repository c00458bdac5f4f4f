#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QByteArray TestFiles::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestFiles::write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString TestFiles::writeProgram(const QString &path, const QByteArray &body, bool executable)
{
    if (!write(path, "#!/bin/sh\n" + body))
        return {};
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner;
    return QFile::setPermissions(path, executable ? readable | QFile::ExeOwner : readable) ? path : QString();
}

QString TestFiles::settingsFile(const QString &configHome)
{
    return QDir(configHome).filePath(QStringLiteral("Tessaly/Tessaly.ini"));
}

QHash<QString, QString> TestFiles::readIni(const QString &path)
{
    QHash<QString, QString> values;
    QString section;
    for (const QByteArray &bytes : read(path).split('\n')) {
        const QString line = QString::fromUtf8(bytes).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']'))
            section = line.mid(1, line.size() - 2);
        else if (const qsizetype equals = line.indexOf(u'='); equals > 0)
            values.insert(section + u'/' + line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return values;
}

QString TestFiles::source(const QString &relative)
{
    return QDir(qEnvironmentVariable("TESSALY_SOURCE_DIR")).filePath(relative);
}

QString TestFiles::besideGame(const QString &relative)
{
    return QFileInfo(qEnvironmentVariable("TESSALY_BINARY")).dir().filePath(relative);
}

QScopeGuard<std::function<void()>> TestFiles::setVariable(const char *name, std::optional<QByteArray> value)
{
    const std::optional<QByteArray> before =
        qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    const auto put = [name](const std::optional<QByteArray> &v) { v ? qputenv(name, *v) : qunsetenv(name); };
    put(value);
    return qScopeGuard(std::function<void()>([put, before] { put(before); }));
}
