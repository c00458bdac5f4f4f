#include "platform/shell/QtShell.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QUrl>

bool QtShell::shellExecute(QWidget *, const QByteArray &verb, const QByteArray &file,
                           const QByteArray &, const QByteArray &, int)
{
    // Only "open" (or no verb, which means the same) has a desktop counterpart; the
    // owner and show command have none, and parameters only ever go to programs.
    if (!verb.isEmpty() && verb.toLower() != "open")
        return false;
    const QString text = QString::fromLocal8Bit(file).trimmed();
    if (text.isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

bool QtShell::startProgram(const QString &program)
{
    if (program.isEmpty())
        return false;
    // No shell in between: the name is the program, spaces and all, never a command line.
    return QProcess::startDetached(program, {});
}

bool QtShell::fileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}
