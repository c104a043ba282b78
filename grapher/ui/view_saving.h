// Saving what the graph shows, as PNG or SVG, drawn by the same renderer as the screen.
#pragma once

#include <string>

#include "common/expected.h"
#include "grapher/ui/graph_widget.h"

namespace quillon::grapher {

// SVG when path ends in ".svg" (any case), PNG otherwise.
Status SaveView(GraphWidget& graph, const std::string& path);

}  // namespace quillon::grapher
