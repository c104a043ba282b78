#include "common/random_source.h"

#include <chrono>

namespace quillon {

void RandomSource::reseed() {
  if (fixedSeed_) {
    engine_.seed(*fixedSeed_);
    return;
  }
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  engine_.seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

}  // namespace quillon
