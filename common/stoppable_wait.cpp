#include "common/stoppable_wait.h"

#include <algorithm>

namespace quillon {

bool WaitUnlessStopped(Clock& clock, std::int64_t ms, const std::function<bool()>& stop,
                       std::int64_t pieceMs) {
  if (ms <= 0) return true;
  const std::int64_t end = clock.nowMs() + ms;
  for (std::int64_t left = ms;;) {
    if (stop()) return false;
    if (left <= 0) return true;
    const std::int64_t piece = std::min(left, std::max<std::int64_t>(pieceMs, 1));
    clock.sleepMs(piece);
    // No reading after the last piece: it was measured from one already.
    left = piece == left ? 0 : end - clock.nowMs();
  }
}

}  // namespace quillon
