#include "platform/sound/FallbackSound.h"

#include "platform/sound/AlsaSound.h"
#include "platform/sound/PulseSound.h"

FallbackSound::FallbackSound(PulseSound &server, AlsaSound &device)
    : m_server(server)
    , m_device(device)
    , m_current(&server)
{
}

void FallbackSound::play(const QByteArray &image)
{
    m_current->play(image);
}

void FallbackSound::prepare()
{
    // A connection still under way is the server's: it answers in milliseconds.
    m_current = m_server.hasNoServer() ? static_cast<Sound *>(&m_device) : &m_server;
    m_current->prepare();
}
