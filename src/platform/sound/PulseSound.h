#pragma once

#include "platform/sound/Sound.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Sound on libpulse, the client library of PulseAudio and of PipeWire's pulse
// server: one stream in the clips' own format, driven from libpulse's own thread.
// The stream rests corked, so the server may let the device sleep, until a tone
// or prepare() wakes it; it stays ready while tones keep coming and rests again
// after a quiet spell. Nothing here waits for the server: the connection is made
// in the background, and while there is no server, or it does not answer, or it
// went away, every tone is silent and a new connection is tried now and then.
class PulseSound final : public Sound
{
public:
    // name is how mixers list the program, iconName its icon in the icon theme.
    PulseSound(const QString &name, const QString &iconName);
    ~PulseSound() override;

    // Loads libpulse and starts connecting, the first time; returns at once.
    void open();
    void play(const QByteArray &image) override;
    void prepare() override;
    // Whether tones are heard now; waits a few seconds for a connection under way.
    bool isAudible() const;
    // Whether no server answers: libpulse is missing, or the last attempt to reach a
    // server failed. False while a connection is under way; never waits.
    bool hasNoServer() const;
    // Whether the server that answered is PipeWire's pulse server. There the stream
    // is opened by the first prepare() or tone, not as the connection is made.
    bool isOnPipeWire() const;

private:
    class Line;

    QByteArray m_name;
    QByteArray m_iconName;
    std::unique_ptr<Line> m_line;
};
