#include "grapher/layout/placement_directions.h"

#include "common/numbers.h"

namespace quillon::grapher {
namespace {

constexpr double kPi = 3.14159265358979;  // the directions depend on these exact digits

}  // namespace

std::int32_t NextPlacementAngle(PlacementDirections& directions) {
  const double r = directions.random.nextSingle();
  directions.PlacementAngle = static_cast<std::int32_t>(RoundHalfEven((r + r) * kPi));
  return directions.PlacementAngle;
}

}  // namespace quillon::grapher
