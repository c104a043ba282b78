// A pause that ends early when the user asks, for waits long enough to matter.
#pragma once

#include <cstdint>
#include <functional>

#include "common/clock.h"

namespace quillon {

// How often a stoppable wait asks whether to stop.
inline constexpr std::int64_t kStopCheckMs = 100;

// Waits ms on clock in pieces of at most pieceMs, asking stop() before each
// piece and once after the last. Returns false as soon as stop() says true,
// true once the whole time has passed (at once, asking nothing, when ms is 0
// or less). The last piece is the exact rest, so a clock that lengthens every
// pause still keeps the whole time. An exception from stop() ends the wait.
bool WaitUnlessStopped(Clock& clock, std::int64_t ms, const std::function<bool()>& stop,
                       std::int64_t pieceMs = kStopCheckMs);

}  // namespace quillon
