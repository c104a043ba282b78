// The draw-graph command: layout, relaxation and rendering of the similarity graph.
#pragma once

#include <string>

#include "common/clock.h"
#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

// Lays out the loaded catalogue with the layout settings of `programFolder`
// (writing positions, Placed marks and keyword flags) and draws it on the
// surface; the clock makes the pauses between intermediate pictures. Ends by
// throwing EndProgram when the close request is seen inside a phase.
void DrawSimilarityGraph(const std::string& programFolder, Catalogue& catalogue,
                         PlacementDirections& directions, Surface& surface, Host& host,
                         Clock& clock);

}  // namespace quillon::grapher
