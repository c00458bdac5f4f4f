// The board in a desktop session: ended from any state by a signal or the session
// manager, brought to the front by a second start, and its stored values written as
// soon as one is decided, so that a kill or a lost display takes nothing decided.
#include "board/frmMain.h"

#include <QApplication>
#include <QDialog>

void frmMain::saveTable()
{
    // Once unloaded, the board has written everything already.
    if (!m_unloaded)
        WriteSettings();
}

void frmMain::endSession()
{
    if (m_unloaded)
        return;
    closeDialogs();
    close();
}

void frmMain::closeDialogs()
{
    // Innermost first, each as Escape would close it: the name entry keeps the name
    // typed so far and a pending question is answered No. When each exec() returns, the
    // code that showed the dialog finds the board unloaded and shows nothing more.
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        // Hiding also ends the exec() of one that stayed up.
        modal->hide();
    }
}

void frmMain::bringToFront()
{
    if (m_unloaded)
        return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    // A window open over the board is the one that takes the keyboard.
    QWidget *front = QApplication::activeModalWidget();
    if (!front)
        front = this;
    front->raise();
    front->activateWindow();
}
