// Drawing the similarity graph from the positions the layout left behind.
#pragma once

#include <string_view>

#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

inline constexpr Rgb kProductMarkerColor{255, 0, 0};
inline constexpr Rgb kKeyWordLineColor{131, 255, 121};
inline constexpr float kProductMarkerRadius = 2;

// Clears the surface and draws products (with their titles when
// drawProductName), keyword lines and keyword labels; leaves the foreground
// colour black. Each step lets the host process events and check the close request.
void RenderGraph(const Catalogue& catalogue, const KeyWordMembership& members, bool drawProductName,
                 Surface& surface, Host& host);
// The same, working out the keyword membership itself.
void RenderGraph(const Catalogue& catalogue, bool drawProductName, Surface& surface, Host& host);

// A keyword's text centred on (x, y) in the current foreground colour, in a
// black frame one unit off the text on the left and top only.
void DrawKeyWordLabel(Surface& surface, std::string_view text, float x, float y);

}  // namespace quillon::grapher
