// How both layouts of the similarity graph begin: nothing placed, a blank
// surface, new random directions, the settings of this drawing.
#pragma once

#include <string>

#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

// Clears the Placed marks and the surface, reseeds the directions, reads the
// layout settings and says that products are being placed.
LayoutSettings StartProductDrawing(const std::string& programFolder, Catalogue& catalogue,
                                   PlacementDirections& directions, Surface& surface, Host& host);

}  // namespace quillon::grapher
