// A clock for tests: time moves only when told to or when something sleeps.
#pragma once

#include <cstdint>

#include "common/clock.h"

namespace quillon::testing {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::int64_t startMs = 0) : now_(startMs) {}
  std::int64_t nowMs() override { return now_; }
  void sleepMs(std::int64_t ms) override {
    now_ += ms;
    slept_ += ms;
    ++sleeps_;
  }
  void advance(std::int64_t ms) { now_ += ms; }
  std::int64_t totalSleptMs() const { return slept_; }
  int sleepCount() const { return sleeps_; }

 private:
  std::int64_t now_;
  std::int64_t slept_ = 0;
  int sleeps_ = 0;
};

}  // namespace quillon::testing
