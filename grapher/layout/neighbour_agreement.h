// How well a picture shows known groups: the share of points most of whose
// nearest neighbours in the picture belong to their own group.
#pragma once

#include <cstdint>
#include <vector>

#include "grapher/layout/barnes_hut.h"

namespace quillon::grapher {

// Points whose group is negative take no part, neither as subject nor as
// neighbour. A point counts when more than half of its k nearest others share
// its group. Returns 0 when fewer than k + 1 points take part.
double NeighbourAgreement(const std::vector<LayoutPoint>& points,
                          const std::vector<std::int32_t>& groups, int k = 10);

}  // namespace quillon::grapher
