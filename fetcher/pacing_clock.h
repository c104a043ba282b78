// The clock that paces real requests.
#pragma once

#include <cstdint>

#include "common/clock.h"

namespace quillon::fetcher {

// The machine's steady clock. Its readings are whole milliseconds, so a pause
// worked out from two of them can fall short of the interval by a fraction of a
// millisecond; every pause is one millisecond longer to keep the full interval.
class PacingClock final : public Clock {
 public:
  std::int64_t nowMs() override { return steady_.nowMs(); }
  void sleepMs(std::int64_t ms) override { steady_.sleepMs(ms > 0 ? ms + 1 : ms); }

 private:
  SteadyClock steady_;
};

}  // namespace quillon::fetcher
