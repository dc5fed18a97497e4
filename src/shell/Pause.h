// Waiting while window messages keep being handled: used after a shell has been started,
// before the previous shell setting is written back.
#pragma once

#include <cstdint>

namespace corvane {

// Returns once at least milliseconds have passed by the tick counter (measured as the
// unsigned 32-bit difference, so the counter's wrap does not shorten the wait). Meanwhile it
// sleeps until a message arrives or the time is up, and dispatches what arrives. 0 returns at once.
void Pause(std::uint32_t milliseconds);

} // namespace corvane
