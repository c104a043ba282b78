// Uniform numbers in [0, 1) from a generator seeded from the clock or fixed.
#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace quillon {

class RandomSource {
 public:
  // With a fixed seed every reseed starts the same sequence (tests, --seed).
  explicit RandomSource(std::optional<std::uint32_t> fixedSeed = std::nullopt)
      : fixedSeed_(fixedSeed) {
    reseed();
  }

  // Seeds from the clock, or with the fixed seed when one was given.
  void reseed();
  // The seed of the last reseed, so that a picture can be drawn again.
  std::uint32_t lastSeed() const { return lastSeed_; }
  // Changes the fixed seed (none: the clock) for the next reseed.
  void setFixedSeed(std::optional<std::uint32_t> seed) { fixedSeed_ = seed; }

  // Next uniform 32-bit float in [0, 1); exact on every standard library.
  float nextSingle() { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }

 private:
  std::optional<std::uint32_t> fixedSeed_;
  std::mt19937 engine_;
  std::uint32_t lastSeed_ = 0;
};

}  // namespace quillon
