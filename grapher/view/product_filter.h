// Which products are shown: a predicate over the products that the view, the
// exports and the tables share. It never changes the catalogue.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/keyword_membership.h"

namespace quillon::grapher {

struct IntRange {
  std::int32_t low = 0;  // both ends included
  std::int32_t high = 0;
  bool contains(std::int32_t v) const { return v >= low && v <= high; }
  friend bool operator==(const IntRange&, const IntRange&) = default;
};

struct ProductFilter {
  // Products whose title holds one of these keywords (indices of KeyWordTable); none: all.
  std::vector<std::int32_t> keyWords;
  std::optional<IntRange> salesRank;
  std::optional<IntRange> inDegree;  // needs the measures
  std::optional<std::int32_t> community;
  std::optional<std::int32_t> component;
  // Within `hops` links (either way) of product `around`.
  std::optional<std::int32_t> around;
  int hops = 1;
  // Products left out are hidden rather than faded.
  bool hide = false;

  bool active() const {
    return !keyWords.empty() || salesRank || inDegree || community || component || around;
  }
  friend bool operator==(const ProductFilter&, const ProductFilter&) = default;
};

// A mark per product, set for those that pass. Conditions on measures pass
// every product while measures is null (not computed yet).
std::vector<bool> ShownProducts(const ProductFilter& filter, const Catalogue& catalogue,
                                const KeyWordMembership& members,
                                const analysis::GraphMeasures* measures);

// "A:B" with whole numbers A <= B.
std::optional<IntRange> ParseRange(std::string_view text);

}  // namespace quillon::grapher
