// Drawing the similarity graph from the positions the layout left behind.
#pragma once

#include <string_view>

#include "grapher/catalogue/keyword_membership.h"
#include "grapher/commands/context.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

inline constexpr Rgb kProductMarkerColor{255, 0, 0};
inline constexpr Rgb kKeyWordLineColor{131, 255, 121};
inline constexpr float kProductMarkerRadius = 2;

// Clears the surface and draws products, keyword lines and keyword labels;
// leaves the foreground colour black. Reads the catalogue only.
void RenderGraph(Context& ctx, const KeyWordMembership& members);
// The same, working out the keyword membership itself.
void RenderGraph(Context& ctx);

// A keyword's text centred on (x, y) in the current foreground colour, in a
// black frame one unit off the text on the left and top only.
void DrawKeyWordLabel(Surface& surface, std::string_view text, float x, float y);

}  // namespace quillon::grapher
