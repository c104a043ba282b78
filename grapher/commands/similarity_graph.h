// The draw-graph command: layout, relaxation and rendering of the similarity graph.
#pragma once

#include "grapher/commands/context.h"

namespace quillon::grapher {

// Lays out and draws the loaded catalogue on ctx.surface. Ends by throwing
// EndProgram when the close request is seen inside a phase.
void DrawSimilarityGraph(Context& ctx);

}  // namespace quillon::grapher
