#include "grapher/analysis/link_structure.h"

#include <algorithm>
#include <utility>

namespace quillon::grapher::analysis {
namespace {

LinkStructure FromPairs(std::int32_t productCount,
                        std::vector<std::pair<std::int32_t, std::int32_t>>& pairs) {
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
  LinkStructure links;
  links.productCount = productCount;
  links.from.reserve(pairs.size());
  links.to.reserve(pairs.size());
  for (const auto& [a, b] : pairs) {
    links.from.push_back(a);
    links.to.push_back(b);
  }
  return links;
}

}  // namespace

LinkStructure LinksOf(const Catalogue& catalogue) {
  const auto& products = catalogue.ProductTable;
  const auto count = static_cast<std::int32_t>(products.size());
  std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
  for (std::int32_t p = 0; p < count; ++p)
    for (const std::int32_t s : products[static_cast<std::size_t>(p)].SimilarIndex)
      if (s != p && s >= 0 && s < count) pairs.emplace_back(p, s);
  return FromPairs(count, pairs);
}

LinkStructure Undirected(const LinkStructure& links) {
  std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
  pairs.reserve(links.linkCount());
  for (std::size_t k = 0; k < links.linkCount(); ++k)
    pairs.emplace_back(std::min(links.from[k], links.to[k]), std::max(links.from[k], links.to[k]));
  return FromPairs(links.productCount, pairs);
}

}  // namespace quillon::grapher::analysis
