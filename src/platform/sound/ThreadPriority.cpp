#include "platform/sound/ThreadPriority.h"

#include <sys/resource.h>

namespace {

// Audio servers run their own threads higher still.
constexpr int kSoundThreadNice = -11;

} // namespace

void ThreadPriority::raiseThisThread()
{
    for (int nice = kSoundThreadNice; nice < 0; ++nice) {
        if (setpriority(PRIO_PROCESS, 0, nice) == 0)
            return;
    }
}
