#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

class AfterFirstFrame;
class AlsaSound;
class FallbackSound;
class IniSettingsStore;
class LinuxRegistry;
class PipeWireSound;
class QtHelpViewer;
class QtMessageBox;
class QtMessagePump;
class QtShell;
class PulseSound;

// The platform services the game runs on, owned for the life of the board window.
// The sound layer opens once the first window is on screen: loading libpulse
// before would hold the first frame back. libpipewire is loaded only where the
// server is PipeWire, and libasound only where no sound server answers.
class RealPlatform
{
public:
    RealPlatform();
    ~RealPlatform();

    Platform services() const;
    // The lock that keeps a second game off the settings file; empty when there is no
    // home folder, and so no file to keep.
    static QString settingsLock();

private:
    std::unique_ptr<QtMessagePump> m_pump;
    std::unique_ptr<PulseSound> m_server;
    std::unique_ptr<PipeWireSound> m_graph;
    std::unique_ptr<AlsaSound> m_device;
    std::unique_ptr<FallbackSound> m_sound;
    std::unique_ptr<IniSettingsStore> m_store;
    std::unique_ptr<QtShell> m_shell;
    std::unique_ptr<QtHelpViewer> m_helpViewer;
    std::unique_ptr<LinuxRegistry> m_registry;
    std::unique_ptr<QtMessageBox> m_messageBox;
    std::unique_ptr<AfterFirstFrame> m_openSound;
};
