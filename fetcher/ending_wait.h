// A wait that ends early: pauses that a stop or a close request must be able
// to cut short wait in pieces and look between them.
#pragma once

#include <cstdint>
#include <functional>

#include "common/clock.h"

namespace quillon::fetcher {

// How often an ending wait looks whether it should end.
inline constexpr std::int64_t kEndingWaitPieceMs = 50;

// Waits ms on clock in pieces of at most pieceMs, calling between() after each
// piece. Returns false as soon as ended() is true (it is asked before every
// piece, so also before a wait of 0), true once the whole time has passed.
bool WaitUnlessEnded(Clock& clock, std::int64_t ms, const std::function<bool()>& ended,
                     const std::function<void()>& between = {},
                     std::int64_t pieceMs = kEndingWaitPieceMs);

}  // namespace quillon::fetcher
