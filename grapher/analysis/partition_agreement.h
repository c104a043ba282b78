// How well a partition of the products fits the links, and how well two
// partitions agree: for checking found communities against known groups.
#pragma once

#include <cstdint>
#include <span>

#include "grapher/analysis/link_structure.h"

namespace quillon::grapher::analysis {

// Normalised mutual information, 1 for the same partition up to names, 0 for
// unrelated ones. Group numbers must be 0 or more; both spans the same length.
double NormalisedMutualInformation(std::span<const std::int32_t> a,
                                   std::span<const std::int32_t> b);

// Modularity of a partition on the links taken without direction.
double Modularity(const LinkStructure& links, std::span<const std::int32_t> membership);

}  // namespace quillon::grapher::analysis
