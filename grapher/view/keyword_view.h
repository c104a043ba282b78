// The keyword relation graph as a view: lines between related keywords and
// their labels through a transform, so that it can be fitted, zoomed and
// explored like the similarity graph. Runs on any thread; reads only.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "grapher/catalogue/catalogue.h"
#include "grapher/render/surface.h"
#include "grapher/view/drawing_bounds.h"
#include "grapher/view/view_transform.h"

namespace quillon::grapher {

inline constexpr Rgb kKeyWordRelationColour{128, 128, 128};

// The labels of the keywords the keyword graph placed (measured on measuring).
Bounds KeyWordGraphBounds(const Catalogue& catalogue, const Surface& measuring);

// Clears the surface and draws a line between every two placed keywords with
// a positive weight either way (not at the identity, which gives the keyword
// graph command's own picture), then the placed keywords' labels on top.
// Positions move with t; lines and labels keep their pixel size. Returns false
// when *cancel was seen set (the picture is partial).
bool RenderKeyWordView(const Catalogue& catalogue, const ViewTransform& t, Surface& surface,
                       const std::atomic<bool>* cancel = nullptr);

// A relation line of that view: the two keywords (from < to) and the weights each way.
struct RelationHit {
  std::int32_t from = 0;
  std::int32_t to = 0;
  float weight = 0;      // from -> to
  float backWeight = 0;  // to -> from
};

// The drawn relation line nearest to a point of the view within radiusPx, if any.
std::optional<RelationHit> RelationAt(const Catalogue& catalogue, const ViewTransform& t,
                                      Point screen, double radiusPx);

}  // namespace quillon::grapher
