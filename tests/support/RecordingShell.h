#pragma once

#include "platform/shell/Shell.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

// A shell that starts nothing: it records each request and answers from its settings.
class RecordingShell final : public Shell
{
public:
    struct Execute
    {
        QPointer<QWidget> owner;
        QByteArray verb;
        QByteArray file;
        QByteArray parameters;
        QByteArray directory;
        int showCommand{};
    };

    bool shellExecute(QWidget *owner, const QByteArray &verb, const QByteArray &file,
                      const QByteArray &parameters, const QByteArray &directory,
                      int showCommand) override;
    bool startProgram(const QString &program) override;
    bool fileExists(const QString &path) override;

    // Answer of shellExecute.
    bool executeResult{true};
    // Programs that start; any other fails, as a missing file would.
    QSet<QString> startable;
    // Paths that exist as files.
    QSet<QString> existingFiles;

    QList<Execute> executed;
    QStringList started;
    QStringList existenceTests;
};
