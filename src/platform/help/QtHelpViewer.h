#pragma once

#include "platform/help/HelpViewer.h"

#include <QByteArray>

#include <map>
#include <memory>

class HelpWindow;
class Shell;

// The real help viewer: one window per help file, living beside the program (not
// modal, not a child of the owner, but kept above it), opened by the show commands
// and closed by HELP_QUIT or when the viewer goes.
class QtHelpViewer final : public HelpViewer
{
public:
    // shell, if given, opens the web addresses that help topics link to.
    explicit QtHelpViewer(Shell *shell = nullptr);
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer &) = delete;
    QtHelpViewer &operator=(const QtHelpViewer &) = delete;

    void winHelp(QWidget *owner, const QByteArray &helpFile, quint32 command, quint32 data) override;

    // The window open for helpFile, or none.
    HelpWindow *window(const QByteArray &helpFile) const;

private:
    HelpWindow *windowFor(QWidget *owner, const QByteArray &helpFile);

    Shell *m_shell{};
    std::map<QByteArray, std::unique_ptr<HelpWindow>> m_windows;
};
