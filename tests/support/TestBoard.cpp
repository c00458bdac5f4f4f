#include "support/TestBoard.h"

#include "board/frmMain.h"
#include "platform/input/HotSpot.h"


TestBoard::TestBoard(quint32 seed, const QMap<QString, QString> &stored)
{
    store.values = stored;
    board = std::make_unique<frmMain>(
        Platform{&pump, &sound, &store, &helpViewer, &shell, &registry, &messageBox}, seed);
    probe = std::make_unique<BoardProbe>(*board);
}

TestBoard::~TestBoard() = default;

void TestBoard::closeDialogsWithDefaults()
{
    m_dialogCloser = std::make_unique<ModalAnswer>();
}

void TestBoard::pressAndRelease(qint16 index)
{
    board->imgClick_MouseDown(index, HotSpot::vbLeftButton, 0, 0, 0);
    board->imgClick_MouseUp(index, HotSpot::vbLeftButton, 0, 0, 0);
    pump.runPending();
}
