// The first layout of the similarity graph: a tree of random directions grown
// from the start product, then centred on the surface.
#pragma once

#include <cstdint>

#include "grapher/catalogue/catalogue.h"
#include "grapher/commands/context.h"
#include "grapher/layout/layout_settings.h"

namespace quillon::grapher {

// Draws the next direction (whole radians 0 to 6), stores it in
// ctx.PlacementAngle and returns it. Both placements share this rule.
std::int32_t NextPlacementAngle(Context& ctx);

// Edge length between a parent and a child, from their keywords.
float EdgeLength(const LayoutSettings& settings, const Product& parent, const Product& child);

// Places the start product in the middle of the surface and every product
// reachable from it. Expects every Placed mark at 0.
void PlaceProducts(Context& ctx);

// Places, depth first, the not yet placed products reachable from `parent`
// (already placed). Uses an explicit stack, so chain length is not limited.
void PlaceSubtree(Context& ctx, std::int32_t parent);

// Shifts every product so that their centre of mass is the surface's middle.
void CenterProducts(Context& ctx);

}  // namespace quillon::grapher
