// A grouped catalogue as the grapher would load it after a complete crawl,
// with each loaded product's true group beside it, for layout tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "grapher/catalogue/catalogue.h"

namespace quillon::testing {

struct GroupedProducts {
  grapher::Catalogue catalogue;
  std::vector<std::int32_t> groups;  // per product of the table; -1 for one without a record
};

// Generates `count` products of the grouped shape and loads them breadth first
// from product 0, as the loader does when every record is present.
GroupedProducts LoadGroupedProducts(int count, std::uint64_t seed);

// For benchmarks, which ask for the same sizes again and again: made once per
// count (seed 1) and kept until the program ends. Not for several threads.
const GroupedProducts& KeptGroupedProducts(int count);

}  // namespace quillon::testing
