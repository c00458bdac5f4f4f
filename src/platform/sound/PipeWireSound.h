#pragma once

#include "platform/sound/Sound.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Sound on PipeWire's own client library, for a desktop whose sound server is
// PipeWire: its pulse server cannot run the graph at a period short enough for a
// tone to start with its light. One stream in the clips' own format asks for a
// short period while tones play, and rests inactive after a quiet spell, so that
// the graph returns to its default period and the device may sleep. As with
// PulseSound, the connection is made in the background; while there is no server,
// every tone is silent and a new connection is tried now and then.
class PipeWireSound final : public Sound
{
public:
    // name is how mixers list the program, iconName its icon in the icon theme.
    PipeWireSound(const QString &name, const QString &iconName);
    ~PipeWireSound() override;

    // Loads libpipewire and starts connecting, the first time; returns at once.
    void open();
    void play(const QByteArray &image) override;
    void prepare() override;
    // Whether tones are heard now; waits a few seconds for a connection under way.
    bool isAudible() const;
    // Whether no server answers: not opened, libpipewire is missing, or the last
    // attempt failed. False while a connection is under way; never waits.
    bool hasNoServer() const;

private:
    class Line;

    QByteArray m_name;
    QByteArray m_iconName;
    std::unique_ptr<Line> m_line;
};
