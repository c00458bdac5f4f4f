#pragma once

#include "platform/Platform.h"

#include <memory>

class IniSettingsStore;
class LinuxRegistry;
class QtHelpViewer;
class QtMessageBox;
class QtMessagePump;
class QtShell;
class QtSound;

// The platform services the game runs on, owned for the life of the board window.
class RealPlatform
{
public:
    RealPlatform();
    ~RealPlatform();

    Platform services() const;

private:
    std::unique_ptr<QtMessagePump> m_pump;
    std::unique_ptr<QtSound> m_sound;
    std::unique_ptr<IniSettingsStore> m_store;
    std::unique_ptr<QtShell> m_shell;
    std::unique_ptr<QtHelpViewer> m_helpViewer;
    std::unique_ptr<LinuxRegistry> m_registry;
    std::unique_ptr<QtMessageBox> m_messageBox;
};
