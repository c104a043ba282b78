// How the view shows the network measures: a colour per community or
// component (the largest each a colour of their own), and marker sizes by
// PageRank, in-degree or sales rank, each with its legend.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/host.h"
#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/render/surface.h"
#include "grapher/view/colour_by.h"

namespace quillon::grapher {

enum class SizeBy { Fixed, PageRank, Degree, Rank };

// "pagerank", "degree" (in-degree) or "rank".
std::optional<SizeBy> ParseSizeBy(std::string_view text);

// The largest groups that get a colour of their own; the rest are grey.
inline constexpr std::int32_t kColouredGroups = 10;
inline constexpr Rgb kOtherGroupColour{170, 170, 170};
Rgb GroupColour(std::int32_t group);

// Marker radii run from the drawing's own radius up to this.
inline constexpr float kLargestMarkerRadius = 9;

// Marker radii for one drawing, scaled to the largest value of the catalogue.
class MarkerSizes {
 public:
  MarkerSizes(SizeBy mode, const Catalogue& catalogue, const analysis::GraphMeasures* measures);
  SizeBy mode() const { return mode_; }
  float radius(std::size_t product) const;
  // The radius a value of the mode's measure gets.
  float radiusFor(double value) const;
  double largest() const { return largest_; }

 private:
  SizeBy mode_;
  const Catalogue& catalogue_;
  const analysis::GraphMeasures* measures_;  // null: every marker at the drawing's radius
  double largest_ = 0;
};

// The marker colour of product i when the mode is Community or Component
// (grey while no measures are known); otherwise ProductColour.
Rgb MeasuredColour(ColourBy mode, const Product& product, std::size_t i,
                   const analysis::GraphMeasures* measures);

// The colour legend of Community and Component: a row per coloured group with
// its size, then "others". Empty without measures.
Legend GroupLegend(ColourBy mode, const analysis::GraphMeasures* measures,
                   const Host::TextTranslator& translate = {});

// Three markers (smallest, middle, largest) with their values, in the bottom
// right corner. Nothing for Fixed.
void DrawSizeLegend(const MarkerSizes& sizes, Surface& surface,
                    const Host::TextTranslator& translate = {});

}  // namespace quillon::grapher
