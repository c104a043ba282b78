// The similarity relation as the force layout sees it: undirected, one edge per
// pair with the number of lists that name it as its weight, no self-links; and
// its coarser versions, in which matched pairs become one heavier node.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

struct LayoutGraph {
  std::vector<std::int32_t> offsets{0};  // node v's edges are offsets[v] to offsets[v + 1] - 1
  std::vector<std::int32_t> targets;
  std::vector<float> weights;
  std::vector<float> masses;  // repelling mass: 1 + weighted degree, summed over merged nodes

  std::int32_t size() const { return static_cast<std::int32_t>(masses.size()); }
};

// One node per product, in table order; its mass is 1 plus its links' weights.
LayoutGraph BuildLayoutGraph(const std::vector<Product>& products);

struct Coarsening {
  LayoutGraph graph;
  std::vector<std::int32_t> coarseOf;  // for each node of the finer graph, its node here
};

// Merges pairs along heavy edges, visiting nodes in a random order; a node
// left alone with a single neighbour joins that neighbour, so that stars shrink too.
Coarsening Coarsen(const LayoutGraph& graph, std::mt19937& engine);

}  // namespace quillon::grapher
