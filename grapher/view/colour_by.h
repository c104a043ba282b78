// What the product markers' colours show: the drawing's own colours, the
// product's keyword or its sales rank, or (from the measures) its community or
// weakly connected component.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/render/surface.h"
#include "grapher/view/view_texts.h"

namespace quillon::grapher {

enum class ColourBy { Drawing, KeyWord, Rank, Community, Component };

// "drawing", "keyword", "rank", "community" or "component".
std::optional<ColourBy> ParseColourBy(std::string_view text);

// Products without a keyword, and products with no known sales rank (0 or less).
inline constexpr Rgb kNoKeyWordColour{150, 150, 150};
inline constexpr Rgb kUnknownRankColour{150, 150, 150};
// The ranks at the two ends of the scale; ranks beyond take the end colour.
inline constexpr std::int32_t kBestRank = 1;
inline constexpr std::int32_t kWorstRank = 1000000;

// A colour per keyword index: neighbours differ clearly and a keyword keeps its
// colour from run to run; never close to white.
Rgb KeyWordColour(std::int32_t keyWordIndex);
// Sales rank on a log scale from kBestRank (warm) to kWorstRank (cool).
Rgb RankColour(std::int32_t salesRank);
// The marker colour of a product in the given mode (the measured modes need
// the measures: MeasuredColour; here they give grey).
Rgb ProductColour(ColourBy mode, const Product& product);
// A lighter version for what a selection leaves in the background.
Rgb Faded(Rgb colour);

struct LegendEntry {
  std::string text;
  Rgb colour;
};
struct Legend {
  std::string title;
  std::vector<LegendEntry> entries;
  std::string morePattern{kLegendMorePattern};  // the row for %1 entries that did not fit
};

// The legend of a mode: empty for Drawing; the keywords that have products (then
// "no keyword"); or steps of the rank scale (then "unknown").
// Its fixed texts go through translate when one is given.
Legend LegendFor(ColourBy mode, const Catalogue& catalogue,
                 const Host::TextTranslator& translate = {});

}  // namespace quillon::grapher
