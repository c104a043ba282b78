#include "grapher/layout/neighbour_agreement.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace quillon::grapher {

double NeighbourAgreement(const std::vector<LayoutPoint>& points,
                          const std::vector<std::int32_t>& groups, int k) {
  std::vector<std::size_t> taking;
  for (std::size_t i = 0; i < points.size() && i < groups.size(); ++i)
    if (groups[i] >= 0) taking.push_back(i);
  if (k <= 0 || taking.size() <= static_cast<std::size_t>(k)) return 0;

  // A uniform grid of about four points a cell, searched ring by ring.
  double minX = points[taking[0]].x, maxX = minX, minY = points[taking[0]].y, maxY = minY;
  for (const std::size_t i : taking) {
    minX = std::min(minX, points[i].x);
    maxX = std::max(maxX, points[i].x);
    minY = std::min(minY, points[i].y);
    maxY = std::max(maxY, points[i].y);
  }
  const auto side = static_cast<std::int64_t>(
      std::max(1.0, std::floor(std::sqrt(static_cast<double>(taking.size()) / 4))));
  const double cell = std::max({maxX - minX, maxY - minY, 1e-9}) / static_cast<double>(side);
  const auto cellOf = [&](double value, double low) {
    return std::clamp(static_cast<std::int64_t>((value - low) / cell), std::int64_t{0}, side - 1);
  };
  std::vector<std::vector<std::size_t>> cells(static_cast<std::size_t>(side * side));
  for (const std::size_t i : taking)
    cells[static_cast<std::size_t>(cellOf(points[i].y, minY) * side + cellOf(points[i].x, minX))]
        .push_back(i);

  std::size_t agreeing = 0;
  for (const std::size_t i : taking) {
    const std::int64_t cx = cellOf(points[i].x, minX), cy = cellOf(points[i].y, minY);
    std::priority_queue<std::pair<double, std::size_t>> nearest;  // the k best, farthest on top
    for (std::int64_t ring = 0; ring <= side; ++ring) {
      for (std::int64_t y = cy - ring; y <= cy + ring; ++y) {
        for (std::int64_t x = cx - ring; x <= cx + ring; ++x) {
          if (x < 0 || y < 0 || x >= side || y >= side) continue;
          if (std::max(std::abs(x - cx), std::abs(y - cy)) != ring) continue;
          for (const std::size_t j : cells[static_cast<std::size_t>(y * side + x)]) {
            if (j == i) continue;
            const double d = std::hypot(points[j].x - points[i].x, points[j].y - points[i].y);
            if (nearest.size() < static_cast<std::size_t>(k)) {
              nearest.emplace(d, j);
            } else if (d < nearest.top().first) {
              nearest.pop();
              nearest.emplace(d, j);
            }
          }
        }
      }
      // Cells beyond this ring lie at least ring * cell away.
      if (nearest.size() == static_cast<std::size_t>(k) &&
          nearest.top().first <= static_cast<double>(ring) * cell)
        break;
    }
    int same = 0;
    for (; !nearest.empty(); nearest.pop()) same += groups[nearest.top().second] == groups[i];
    agreeing += 2 * same > k;
  }
  return static_cast<double>(agreeing) / static_cast<double>(taking.size());
}

}  // namespace quillon::grapher
