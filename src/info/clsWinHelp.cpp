#include "info/clsWinHelp.h"

#include "platform/help/HelpViewer.h"
#include "platform/session/App.h"

#include <QByteArray>
#include <QWidget>

clsWinHelp::clsWinHelp(HelpViewer &viewer, QWidget *owner)
    : m_viewer(viewer)
    , m_owner(owner)
{
}

clsWinHelp::~clsWinHelp()
{
    // An open viewer closes together with whoever held the help.
    winHelp(HelpViewer::HELP_QUIT, 0);
}

void clsWinHelp::ShowHelpContents()
{
    winHelp(HelpViewer::HELP_CONTENTS, 0);
}

void clsWinHelp::ShowHelpOnHelp()
{
    winHelp(HelpViewer::HELP_HELPONHELP, 0);
}

void clsWinHelp::ShowHelpIndex()
{
    winHelp(HelpViewer::HELP_INDEX, 0);
}

void clsWinHelp::ShowHelpContext(qint16 iContextID)
{
    // Sign-extended: -1 reaches the viewer as all 32 bits set.
    winHelp(HelpViewer::HELP_CONTEXT, quint32(qint32(iContextID)));
}

void clsWinHelp::QuitHelp()
{
    winHelp(HelpViewer::HELP_QUIT, 0);
}

void clsWinHelp::winHelp(quint32 command, quint32 data)
{
    m_viewer.winHelp(m_owner.data(), App::helpFile().toLocal8Bit(), command, data);
}
