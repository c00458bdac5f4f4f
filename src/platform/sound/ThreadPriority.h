#pragma once

namespace ThreadPriority {

// A sound thread has a few tens of milliseconds to hand over each piece of a tone;
// on a busy machine it must not queue behind ordinary work, or the tone has holes.
// Raises the calling thread as far as the account allows (nice is per thread on Linux).
void raiseThisThread();

} // namespace ThreadPriority
