// The first layout of the similarity graph: a tree of random directions grown
// from the start product, then centred on the surface.
#pragma once

#include <cstdint>
#include <vector>

#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

// Edge length between a parent and a child, from their keywords.
float EdgeLength(const LayoutSettings& settings, const Product& parent, const Product& child);

// Places the start product in the middle of the surface and every product
// reachable from it, writing positions and Placed marks. Draws each child as the
// settings ask while it goes, and lets the host process events after each.
// Expects every Placed mark at 0.
void PlaceProducts(std::vector<Product>& products, const LayoutSettings& settings,
                   PlacementDirections& directions, Surface& surface, Host& host);

// Places, depth first, the not yet placed products reachable from `parent`
// (already placed), drawing as PlaceProducts does; checks the close request
// after each finished product. Uses an explicit stack, so chain length is not limited.
void PlaceSubtree(std::vector<Product>& products, std::int32_t parent,
                  const LayoutSettings& settings, PlacementDirections& directions, Surface& surface,
                  Host& host);

// Shifts every product so that their centre of mass is the surface's middle;
// sets the host's status labels first.
void CenterProducts(std::vector<Product>& products, const Surface& surface, Host& host);

}  // namespace quillon::grapher
