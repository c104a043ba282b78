// The legend of a colour mode, drawn in the top right corner of a picture.
#pragma once

#include <optional>

#include "grapher/render/surface.h"
#include "grapher/view/colour_by.h"
#include "grapher/view/drawing_bounds.h"
#include "grapher/view/view_transform.h"

namespace quillon::grapher {

inline constexpr float kLegendMarginPx = 8;  // from the picture's edges
inline constexpr float kLegendPaddingPx = 6;
inline constexpr float kLegendSwatchPx = 10;

// A white box with the title and a swatch and text per entry; entries that do
// not fit the picture's height end in one "and n more" row. Nothing for an empty legend.
void DrawLegend(const Legend& legend, Surface& surface);

// The box DrawLegend draws in a picture of this size, text measured on
// measuring; nothing when no legend is drawn.
std::optional<Rect> LegendBox(const Legend& legend, const Surface& measuring, float pictureWidth,
                              float pictureHeight);

// FitTransform in a view whose top right corner the legend takes: the drawing
// goes beside the legend or below it, whichever shows it larger.
ViewTransform FitBesideLegend(const Bounds& drawing, const Legend& legend, const Surface& measuring,
                              double viewWidth, double viewHeight, double marginPx);

}  // namespace quillon::grapher
