#pragma once

class HelpViewer;
class MessageBox;
class MessagePump;
class Registry;
class SettingsStore;
class Shell;
class Sound;

// The platform services the board window runs on. main() hands in the real ones,
// tests hand in fakes; none of them is owned here.
struct Platform
{
    MessagePump *pump{};
    Sound *sound{};
    SettingsStore *store{};
    HelpViewer *helpViewer{};
    Shell *shell{};
    Registry *registry{};
    MessageBox *messageBox{};
};
