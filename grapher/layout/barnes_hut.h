// Repulsion between all pairs of nodes in O(n log n): a quadtree whose far
// cells act as one mass at their centre (Barnes-Hut).
#pragma once

#include <cstdint>
#include <vector>

namespace quillon::grapher {

struct LayoutPoint {
  double x = 0;
  double y = 0;
};

class BarnesHutTree {
 public:
  // Builds the tree over the points with their masses.
  BarnesHutTree(const std::vector<LayoutPoint>& points, const std::vector<float>& masses);

  // The repulsion on point i from every other point, each pair pushing with
  // strength mass_i * mass_j / distance; theta trades accuracy for speed.
  LayoutPoint repulsion(std::size_t i, double theta) const;

 private:
  struct Cell {
    double massX = 0, massY = 0;  // centre of mass
    double mass = 0;
    double x = 0, y = 0;  // the square's lower corner
    double side = 0;
    std::int32_t firstChild = -1;     // four consecutive cells, or -1 for a leaf
    std::int32_t begin = 0, end = 0;  // the leaf's points in order_
  };
  void build();

  const std::vector<LayoutPoint>& points_;
  const std::vector<float>& masses_;
  std::vector<std::int32_t> order_;
  std::vector<Cell> cells_;
};

}  // namespace quillon::grapher
