// Millisecond time and pauses, behind an interface so that tests never sleep.
#pragma once

#include <cstdint>

namespace quillon {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds on a monotonic scale; never wraps.
  virtual std::int64_t nowMs() = 0;
  virtual void sleepMs(std::int64_t ms) = 0;
};

// The steady clock of the machine (milliseconds since boot, like a tick counter).
class SteadyClock final : public Clock {
 public:
  std::int64_t nowMs() override;
  void sleepMs(std::int64_t ms) override;
};

}  // namespace quillon
