#include "support/RecordingShell.h"

bool RecordingShell::shellExecute(QWidget *owner, const QByteArray &verb, const QByteArray &file,
                                  const QByteArray &parameters, const QByteArray &directory,
                                  int showCommand)
{
    executed.append({owner, verb, file, parameters, directory, showCommand});
    return executeResult;
}

bool RecordingShell::startProgram(const QString &program)
{
    started.append(program);
    return startable.contains(program);
}

bool RecordingShell::fileExists(const QString &path)
{
    existenceTests.append(path);
    return existingFiles.contains(path);
}
