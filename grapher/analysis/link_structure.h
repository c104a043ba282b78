// The similarity relation as a plain graph: each distinct link from a product
// to another loaded product once, self links left out. Small enough to copy to
// a worker thread while the catalogue stays with the window.
#pragma once

#include <cstdint>
#include <vector>

#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher::analysis {

struct LinkStructure {
  std::int32_t productCount = 0;
  // Link k goes from from[k] to to[k]; sorted by (from, to), no duplicates.
  std::vector<std::int32_t> from;
  std::vector<std::int32_t> to;
  std::size_t linkCount() const { return from.size(); }
};

LinkStructure LinksOf(const Catalogue& catalogue);

// The same links without direction: each pair {a, b} once, a < b, sorted.
LinkStructure Undirected(const LinkStructure& links);

}  // namespace quillon::grapher::analysis
