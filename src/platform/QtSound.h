#pragma once

#include "platform/Sound.h"

#include <memory>

class ClipStream;
class QAudioSink;

// Sound on Qt Multimedia: one audio sink kept running for the life of the object,
// pulling from a ClipStream that play() swaps clips into. With no sound server or
// no output device it is silent from the start, and quickly so.
class QtSound final : public Sound
{
public:
    QtSound();
    ~QtSound() override;

    void play(const QByteArray &image) override;
    // Whether an output device was opened; false means every play() is silent.
    bool isAudible() const;

private:
    void open();

    std::unique_ptr<ClipStream> m_stream;
    std::unique_ptr<QAudioSink> m_sink;
    int m_sampleRate{};
    int m_channels{};
};
