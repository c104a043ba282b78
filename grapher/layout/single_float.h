// Storing 64-bit results in the catalogue's 32-bit floats.
#pragma once

#include <cmath>
#include <limits>

namespace quillon::grapher {

// The nearest 32-bit float, kept finite: a result beyond the float range is
// held at the largest float so that no position ever becomes infinite.
inline float ToSingle(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (std::isnan(value)) return 0;
  if (value > kMax) return std::numeric_limits<float>::max();
  if (value < -kMax) return -std::numeric_limits<float>::max();
  return static_cast<float>(value);
}

}  // namespace quillon::grapher
