// The direction shared by both tree placements (the similarity graph's and the
// keyword graph's) and the random source it is drawn from. Whoever runs the
// drawing commands owns one and hands it to each.
#pragma once

#include <cstdint>

#include "common/random_source.h"

namespace quillon::grapher {

struct PlacementDirections {
  explicit PlacementDirections(RandomSource source = RandomSource()) : random(source) {}

  std::int32_t PlacementAngle = 0;  // direction of the placement in progress, whole radians
  RandomSource random;
};

// Draws the next direction (whole radians 0 to 6), stores it in PlacementAngle
// and returns it.
std::int32_t NextPlacementAngle(PlacementDirections& directions);

}  // namespace quillon::grapher
