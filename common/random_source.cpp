#include "common/random_source.h"

#include <chrono>

namespace quillon {

void RandomSource::reseed() {
  if (fixedSeed_) {
    lastSeed_ = *fixedSeed_;
  } else {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    lastSeed_ = static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
  }
  engine_.seed(lastSeed_);
}

}  // namespace quillon
