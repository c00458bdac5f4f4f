#include "app/RealPlatform.h"

#include "app/Identity.h"

#include "platform/help/QtHelpViewer.h"
#include "platform/pump/QtMessagePump.h"
#include "platform/session/AfterFirstFrame.h"
#include "platform/shell/LinuxRegistry.h"
#include "platform/shell/QtShell.h"
#include "platform/sound/AlsaSound.h"
#include "platform/sound/FallbackSound.h"
#include "platform/sound/PipeWireSound.h"
#include "platform/sound/PulseSound.h"
#include "platform/store/IniSettingsStore.h"
#include "platform/widgets/QtMessageBox.h"

RealPlatform::RealPlatform()
    : m_pump(std::make_unique<QtMessagePump>())
    , m_server(std::make_unique<PulseSound>(Identity::title(), Identity::desktopName()))
    , m_graph(std::make_unique<PipeWireSound>(Identity::title(), Identity::desktopName()))
    , m_device(std::make_unique<AlsaSound>())
    , m_sound(std::make_unique<FallbackSound>(*m_server, *m_graph, *m_device))
    , m_store(std::make_unique<IniSettingsStore>())
    , m_shell(std::make_unique<QtShell>())
    , m_helpViewer(std::make_unique<QtHelpViewer>(m_shell.get()))
    , m_registry(std::make_unique<LinuxRegistry>())
    , m_messageBox(std::make_unique<QtMessageBox>())
    , m_openSound(std::make_unique<AfterFirstFrame>([server = m_server.get()] { server->open(); }))
{
}

RealPlatform::~RealPlatform() = default;

Platform RealPlatform::services() const
{
    Platform platform;
    platform.pump = m_pump.get();
    platform.sound = m_sound.get();
    platform.store = m_store.get();
    platform.helpViewer = m_helpViewer.get();
    platform.shell = m_shell.get();
    platform.registry = m_registry.get();
    platform.messageBox = m_messageBox.get();
    return platform;
}

QString RealPlatform::settingsLock()
{
    const QString file = IniSettingsStore().fileName(Identity::title());
    return file.isEmpty() ? file : file + QStringLiteral(".lock");
}
