#include "grapher/layout/barnes_hut.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quillon::grapher {
namespace {

constexpr std::int32_t kLeafSize = 8;
constexpr int kMaxDepth = 40;  // points closer than side / 2^40 share a leaf

}  // namespace

BarnesHutTree::BarnesHutTree(const std::vector<LayoutPoint>& points,
                             const std::vector<float>& masses)
    : points_(points), masses_(masses), order_(points.size()) {
  std::iota(order_.begin(), order_.end(), 0);
  build();
}

void BarnesHutTree::build() {
  if (points_.empty()) return;
  double minX = points_[0].x, maxX = minX, minY = points_[0].y, maxY = minY;
  for (const LayoutPoint& p : points_) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  struct Pending {
    std::int32_t cell;
    double x, y;  // the square's lower corner
    int depth;
  };
  const double side = std::max({maxX - minX, maxY - minY, 1e-9});
  cells_.reserve(points_.size() / 2 + 8);
  cells_.push_back({});
  cells_[0].side = side;
  cells_[0].x = minX;
  cells_[0].y = minY;
  cells_[0].end = static_cast<std::int32_t>(order_.size());
  std::vector<Pending> pending{{0, minX, minY, 0}};
  while (!pending.empty()) {
    const Pending at = pending.back();
    pending.pop_back();
    Cell& cell = cells_[static_cast<std::size_t>(at.cell)];
    const auto first = order_.begin() + cell.begin;
    const auto last = order_.begin() + cell.end;
    double mass = 0, sumX = 0, sumY = 0;
    for (auto it = first; it != last; ++it) {
      const auto i = static_cast<std::size_t>(*it);
      mass += masses_[i];
      sumX += masses_[i] * points_[i].x;
      sumY += masses_[i] * points_[i].y;
    }
    cell.mass = mass;
    cell.massX = mass > 0 ? sumX / mass : at.x;
    cell.massY = mass > 0 ? sumY / mass : at.y;
    if (cell.end - cell.begin <= kLeafSize || at.depth >= kMaxDepth) continue;
    // Split into quadrants: below/above the middle in y, then left/right in x.
    const double half = cell.side / 2;
    const double midX = at.x + half, midY = at.y + half;
    const auto below = [&](std::int32_t i) {
      return points_[static_cast<std::size_t>(i)].y < midY;
    };
    const auto left = [&](std::int32_t i) { return points_[static_cast<std::size_t>(i)].x < midX; };
    const auto splitY = std::partition(first, last, below);
    const auto splitLow = std::partition(first, splitY, left);
    const auto splitHigh = std::partition(splitY, last, left);
    const std::int32_t bounds[5] = {
        cell.begin, static_cast<std::int32_t>(splitLow - order_.begin()),
        static_cast<std::int32_t>(splitY - order_.begin()),
        static_cast<std::int32_t>(splitHigh - order_.begin()), cell.end};
    const auto firstChild = static_cast<std::int32_t>(cells_.size());
    cell.firstChild = firstChild;  // `cell` may dangle once cells_ grows
    for (int q = 0; q < 4; ++q) {
      Cell child;
      child.side = half;
      child.x = at.x + (q % 2) * half;
      child.y = at.y + (q / 2) * half;
      child.begin = bounds[q];
      child.end = bounds[q + 1];
      cells_.push_back(child);
      if (child.end > child.begin)
        pending.push_back({firstChild + q, child.x, child.y, at.depth + 1});
    }
  }
}

LayoutPoint BarnesHutTree::repulsion(std::size_t i, double theta) const {
  LayoutPoint force;
  if (cells_.empty()) return force;
  const LayoutPoint& p = points_[i];
  const double own = masses_[i];
  const double theta2 = theta * theta;
  const auto push = [&](double fromX, double fromY, double mass) {
    const double dx = p.x - fromX, dy = p.y - fromY;
    const double d2 = dx * dx + dy * dy;
    if (d2 <= 1e-18) return;  // coincident points: the jitter of the next level parts them
    const double strength = own * mass / d2;  // (m m / d) along the unit vector d / |d|
    force.x += dx * strength;
    force.y += dy * strength;
  };
  std::int32_t stack[4 * kMaxDepth + 8];
  int top = 0;
  stack[top++] = 0;
  while (top > 0) {
    const Cell& cell = cells_[static_cast<std::size_t>(stack[--top])];
    if (cell.end == cell.begin) continue;
    if (cell.firstChild < 0) {
      for (std::int32_t k = cell.begin; k < cell.end; ++k) {
        const auto j = static_cast<std::size_t>(order_[static_cast<std::size_t>(k)]);
        if (j != i) push(points_[j].x, points_[j].y, masses_[j]);
      }
      continue;
    }
    const double dx = p.x - cell.massX, dy = p.y - cell.massY;
    const bool inside =
        p.x >= cell.x && p.x <= cell.x + cell.side && p.y >= cell.y && p.y <= cell.y + cell.side;
    if (!inside && cell.side * cell.side < theta2 * (dx * dx + dy * dy)) {
      push(cell.massX, cell.massY, cell.mass);
    } else {
      for (int q = 0; q < 4; ++q) stack[top++] = cell.firstChild + q;
    }
  }
  return force;
}

}  // namespace quillon::grapher
