#pragma once

#include "platform/sound/Sound.h"

#include <QByteArray>
#include <QList>

#include <functional>

// A sound layer that plays nothing and remembers every image it was handed and
// how often it was told to get ready.
class RecordingSound final : public Sound
{
public:
    void play(const QByteArray &image) override
    {
        m_plays.append(image);
        if (onPlay)
            onPlay(image);
    }
    void prepare() override { ++m_prepares; }
    // Called at every play, for tests that log a timeline.
    std::function<void(const QByteArray &image)> onPlay;

    const QList<QByteArray> &plays() const { return m_plays; }
    int prepares() const { return m_prepares; }

private:
    QList<QByteArray> m_plays;
    int m_prepares{};
};
