#pragma once

#include <QPointer>
#include <QtGlobal>

class HelpViewer;
class QWidget;

// Opens the program's help file in the help viewer and closes the viewer again.
// Every operation is one viewer call on the application's help-file path, read
// afresh each time; destroying the instance closes the viewer for that file.
class clsWinHelp
{
public:
    // owner is the window the viewer belongs to (the board).
    clsWinHelp(HelpViewer &viewer, QWidget *owner);
    ~clsWinHelp();
    clsWinHelp(const clsWinHelp &) = delete;
    clsWinHelp &operator=(const clsWinHelp &) = delete;

    void ShowHelpContents();
    void ShowHelpOnHelp();
    void ShowHelpIndex();
    void ShowHelpContext(qint16 iContextID);
    void QuitHelp();

private:
    void winHelp(quint32 command, quint32 data);

    HelpViewer &m_viewer;
    QPointer<QWidget> m_owner;
};
