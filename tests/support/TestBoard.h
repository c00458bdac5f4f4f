#pragma once

#include "support/BoardProbe.h"
#include "support/FakeMessagePump.h"
#include "support/FakeRegistry.h"
#include "support/MemorySettingsStore.h"
#include "support/ModalAnswer.h"
#include "support/RecordingHelpViewer.h"
#include "support/RecordingShell.h"
#include "support/RecordingSound.h"
#include "support/ScriptedMessageBox.h"

#include <memory>

class frmMain;

// A board window on fake services: a pump whose waits the test runs, recorded
// tones, an in-memory store, scripted message boxes, and a fixed seed.
class TestBoard
{
public:
    // stored: the settings store's values at start-up, keyed as MemorySettingsStore::path.
    explicit TestBoard(quint32 seed = 1, const QMap<QString, QString> &stored = {});
    ~TestBoard();

    // From now on every modal dialog that opens is answered with Enter (its
    // default button), so game-over dialogs do not stop a test.
    void closeDialogsWithDefaults();
    // A press and its release on a light, through the handlers, and the hold after it.
    void pressAndRelease(qint16 index);

    FakeMessagePump pump;
    RecordingSound sound;
    MemorySettingsStore store;
    ScriptedMessageBox messageBox;
    RecordingHelpViewer helpViewer;
    RecordingShell shell;
    FakeRegistry registry;
    std::unique_ptr<frmMain> board;
    std::unique_ptr<BoardProbe> probe;

private:
    std::unique_ptr<ModalAnswer> m_dialogCloser;
};
