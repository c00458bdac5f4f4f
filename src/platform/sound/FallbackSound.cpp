#include "platform/sound/FallbackSound.h"

#include "platform/sound/AlsaSound.h"
#include "platform/sound/PipeWireSound.h"
#include "platform/sound/PulseSound.h"

FallbackSound::FallbackSound(PulseSound &server, PipeWireSound &graph, AlsaSound &device)
    : m_server(server)
    , m_graph(graph)
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
    // PipeWire's library is loaded only where PipeWire is the server, at the first
    // game; should it not connect, its pulse server plays instead.
    const bool onPipeWire = m_server.isOnPipeWire();
    if (onPipeWire)
        m_graph.open();
    if (onPipeWire && !m_graph.hasNoServer())
        m_current = &m_graph;
    else
        // A connection still under way is the server's: it answers in milliseconds.
        m_current = m_server.hasNoServer() ? static_cast<Sound *>(&m_device) : &m_server;
    m_current->prepare();
}
