#include "platform/help/QtHelpViewer.h"

#include "platform/help/HelpWindow.h"

#include <QString>
#include <QWidget>
#include <QWindow>

QtHelpViewer::QtHelpViewer(Shell *shell)
    : m_shell(shell)
{
}

QtHelpViewer::~QtHelpViewer() = default;

void QtHelpViewer::winHelp(QWidget *owner, const QByteArray &helpFile, quint32 command, quint32 data)
{
    if (command == HELP_QUIT) {
        m_windows.erase(helpFile);
        return;
    }
    if (command != HELP_CONTENTS && command != HELP_CONTEXT && command != HELP_HELPONHELP)
        return; // commands this viewer has no counterpart for are quietly ignored

    HelpWindow *window = windowFor(owner, helpFile);
    // Read afresh at every command, so a file mended meanwhile is seen at once.
    window->loadFile(QString::fromLocal8Bit(helpFile));
    if (command == HELP_CONTENTS)
        window->showContents();
    else if (command == HELP_CONTEXT)
        window->showContext(data);
    else
        window->showHelpOnHelp();

    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

HelpWindow *QtHelpViewer::window(const QByteArray &helpFile) const
{
    const auto found = m_windows.find(helpFile);
    return found == m_windows.end() ? nullptr : found->second.get();
}

HelpWindow *QtHelpViewer::windowFor(QWidget *owner, const QByteArray &helpFile)
{
    std::unique_ptr<HelpWindow> &slot = m_windows[helpFile];
    if (!slot)
        slot = std::make_unique<HelpWindow>(m_shell);
    // Kept above its owner like an owned window, yet no child of it: only the viewer
    // decides when it goes.
    if (owner) {
        slot->winId();
        if (QWindow *ownerWindow = owner->window()->windowHandle())
            slot->windowHandle()->setTransientParent(ownerWindow);
    }
    return slot.get();
}
