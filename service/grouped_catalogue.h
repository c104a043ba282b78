// Catalogues shaped like a real similar-products relation: groups of products
// on one subject that mostly list each other, a few bridges between groups, a
// heavy tail of how often a product is listed, and sales ranks that follow it.
#pragma once

#include <cstdint>

#include "service/catalogue_generator.h"

namespace quillon::service {

// The same count and seed give the same catalogue. Every product carries its
// group; every product is reachable from product 0 through the lists.
GeneratedCatalogue GenerateGroupedCatalogue(int count, std::uint64_t seed);

}  // namespace quillon::service
