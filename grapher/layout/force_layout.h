// A force-directed multilevel layout of the similarity graph: the graph is
// coarsened by matching, the coarsest is laid out from random positions, and
// each finer level starts from the coarser one and is refined. Springs pull
// along similarity links; every pair of products repels (Barnes-Hut).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/barnes_hut.h"

namespace quillon::grapher {

struct ForceLayoutOptions {
  std::uint32_t seed = 1;  // the same seed and catalogue give the same positions
  double edgeLength = 20;  // the typical length of a link in the result, in pixels
  unsigned threads = 0;    // 0: one per core
};

// Told after every step how many of the planned steps are done; may throw to
// stop the layout (a cancelled drawing, the close request).
using LayoutProgress = std::function<void(int done, int total)>;

// One position per product, in table order, with their centre at (0, 0). Reads
// the products' similar lists only.
std::vector<LayoutPoint> ForceLayout(const std::vector<Product>& products,
                                     const ForceLayoutOptions& options,
                                     const LayoutProgress& progress = {});

}  // namespace quillon::grapher
