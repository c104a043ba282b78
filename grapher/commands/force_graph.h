// The draw-graph command with the force-directed layout in place of the tree
// placement and attraction passes: keywords at the centre of their products,
// then the same rendering.
#pragma once

#include <string>

#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

// Lays out the loaded catalogue (writing positions, Placed marks and keyword
// flags) with a seed drawn by reseeding directions' random source, centred on
// the surface, and draws it. The host's events are processed between layout
// steps; EndProgram ends it on the close request.
void DrawForceGraph(const std::string& programFolder, Catalogue& catalogue,
                    PlacementDirections& directions, Surface& surface, Host& host);

}  // namespace quillon::grapher
