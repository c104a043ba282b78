#include "fetcher/ending_wait.h"

#include <algorithm>

namespace quillon::fetcher {

bool WaitUnlessEnded(Clock& clock, std::int64_t ms, const std::function<bool()>& ended,
                     const std::function<void()>& between, std::int64_t pieceMs) {
  // Measured against the end time, so pieces that oversleep do not add up.
  const std::int64_t end = clock.nowMs() + std::max<std::int64_t>(ms, 0);
  for (;;) {
    if (ended()) return false;
    const std::int64_t left = end - clock.nowMs();
    if (left <= 0) return true;
    clock.sleepMs(std::min(left, std::max<std::int64_t>(pieceMs, 1)));
    if (between) between();
  }
}

}  // namespace quillon::fetcher
