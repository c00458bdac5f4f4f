#pragma once

#include "platform/shell/Shell.h"

// The real shell: addresses go to the desktop's default handler, programs are
// started detached, straight from their file name.
class QtShell final : public Shell
{
public:
    bool shellExecute(QWidget *owner, const QByteArray &verb, const QByteArray &file,
                      const QByteArray &parameters, const QByteArray &directory,
                      int showCommand) override;
    bool startProgram(const QString &program) override;
    bool fileExists(const QString &path) override;
};
