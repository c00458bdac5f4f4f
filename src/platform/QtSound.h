#pragma once

#include "platform/Sound.h"

#include <memory>

class QThread;

// Sound on Qt Multimedia: one audio sink kept running for the life of the object,
// pulling from a ClipStream that play() swaps clips into. The sink lives on a
// thread of its own, so a busy user-interface thread never starves it (on Qt 6.4
// the sink is fed from a timer in its owner's thread). With no sound server or no
// output device it is silent from the start, and quickly so.
class QtSound final : public Sound
{
public:
    QtSound();
    ~QtSound() override;

    void play(const QByteArray &image) override;
    // Whether an output device is open and playing; false means every play() is
    // silent. Waits for the sink to start if it has not yet.
    bool isAudible() const;

private:
    struct Line;

    std::shared_ptr<Line> m_line;
    std::unique_ptr<QThread> m_thread;
};
