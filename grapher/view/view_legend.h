// The legend of a colour mode, drawn in the top right corner of a picture.
#pragma once

#include "grapher/render/surface.h"
#include "grapher/view/colour_by.h"

namespace quillon::grapher {

inline constexpr float kLegendMarginPx = 8;  // from the picture's edges
inline constexpr float kLegendPaddingPx = 6;
inline constexpr float kLegendSwatchPx = 10;

// A white box with the title and a swatch and text per entry; entries that do
// not fit the picture's height end in one "and n more" row. Nothing for an empty legend.
void DrawLegend(const Legend& legend, Surface& surface);

}  // namespace quillon::grapher
