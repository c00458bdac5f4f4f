#pragma once

#include <QByteArray>
#include <QHash>
#include <QScopeGuard>
#include <QString>

#include <functional>
#include <optional>

// Files the tests read and write: the game's settings file, stand-in programs for a
// PATH of their own, and the source tree and build the tests check.
namespace TestFiles {

// The whole file (or resource), empty when it cannot be read.
QByteArray read(const QString &path);
// Writes the file whole, making its folder first.
bool write(const QString &path, const QByteArray &bytes);
// A shell script with this body, executable unless told otherwise; its path, or
// empty when it could not be written.
QString writeProgram(const QString &path, const QByteArray &body, bool executable = true);

// The settings file the game keeps in a config folder (its XDG_CONFIG_HOME).
QString settingsFile(const QString &configHome);
// An INI file as plain text: "section/key" to value, blanks trimmed.
QHash<QString, QString> readIni(const QString &path);

// A file of the source tree, and one beside the game the build made.
QString source(const QString &relative);
QString besideGame(const QString &relative);

// Sets an environment variable (unsets it for nullopt) until the guard goes, which
// puts back what was there before.
[[nodiscard]] QScopeGuard<std::function<void()>> setVariable(const char *name, std::optional<QByteArray> value);

} // namespace TestFiles
