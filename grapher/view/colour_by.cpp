#include "grapher/view/colour_by.h"

#include <algorithm>
#include <cmath>

#include "grapher/render/render_graph.h"
#include "grapher/view/view_texts.h"

namespace quillon::grapher {
namespace {

std::uint8_t Channel(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

// hue in degrees [0, 360), saturation and value in [0, 1].
Rgb FromHsv(double hue, double saturation, double value) {
  const double c = value * saturation;
  const double h = std::fmod(hue, 360.0) / 60;
  const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0:
      r = c, g = x;
      break;
    case 1:
      r = x, g = c;
      break;
    case 2:
      g = c, b = x;
      break;
    case 3:
      g = x, b = c;
      break;
    case 4:
      r = x, b = c;
      break;
    default:
      r = c, b = x;
      break;
  }
  const double m = value - c;
  return {Channel(r + m), Channel(g + m), Channel(b + m)};
}

std::string WithThousands(std::int32_t n) {
  const std::string digits = std::to_string(n);
  std::string text;  // appended, not inserted into: GCC 12 warns falsely on the insert
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0 && digits[i - 1] != '-') text += ',';
    text += digits[i];
  }
  return text;
}

}  // namespace

std::optional<ColourBy> ParseColourBy(std::string_view text) {
  if (text == "drawing") return ColourBy::Drawing;
  if (text == "keyword") return ColourBy::KeyWord;
  if (text == "rank") return ColourBy::Rank;
  if (text == "community") return ColourBy::Community;
  if (text == "component") return ColourBy::Component;
  return std::nullopt;
}

Rgb KeyWordColour(std::int32_t keyWordIndex) {
  if (keyWordIndex < 0) return kNoKeyWordColour;
  // The golden angle spreads any number of hues; two brightness levels part neighbours further.
  const double hue = std::fmod(static_cast<double>(keyWordIndex) * 137.50776, 360.0);
  return FromHsv(hue, 0.8, keyWordIndex % 2 == 0 ? 0.85 : 0.6);
}

Rgb RankColour(std::int32_t salesRank) {
  if (salesRank <= 0) return kUnknownRankColour;
  const double clamped = std::clamp(salesRank, kBestRank, kWorstRank);
  const double t = std::log(clamped / kBestRank) / std::log(double{kWorstRank} / kBestRank);
  // Red for the best sellers through yellow and green to blue.
  return FromHsv(240 * t, 0.85, 0.85);
}

Rgb ProductColour(ColourBy mode, const Product& product) {
  switch (mode) {
    case ColourBy::KeyWord:
      return KeyWordColour(product.KeyWordIndex);
    case ColourBy::Rank:
      return RankColour(product.SalesRank);
    case ColourBy::Community:
    case ColourBy::Component:
      return kNoKeyWordColour;
    case ColourBy::Drawing:
      break;
  }
  return kProductMarkerColor;
}

Rgb Faded(Rgb colour) {
  const auto lighten = [](std::uint8_t c) {
    return static_cast<std::uint8_t>(c + (255 - c) * 3 / 4);
  };
  return {lighten(colour.r), lighten(colour.g), lighten(colour.b)};
}

Legend LegendFor(ColourBy mode, const Catalogue& catalogue, const Host::TextTranslator& translate) {
  const auto text = [&translate](std::string_view source) {
    return Host::Translated(translate, source);
  };
  Legend legend;
  legend.morePattern = text(kLegendMorePattern);
  if (mode == ColourBy::KeyWord) {
    legend.title = text(kLegendKeyWordTitle);
    const auto& keyWords = catalogue.KeyWordTable;
    for (std::size_t k = 0; k < keyWords.size(); ++k)
      if (keyWords[k].HasProduct)
        legend.entries.push_back({keyWords[k].Text, KeyWordColour(static_cast<std::int32_t>(k))});
    legend.entries.push_back({text(kLegendNoKeyWord), kNoKeyWordColour});
  } else if (mode == ColourBy::Rank) {
    legend.title = text(kLegendRankTitle);
    for (std::int32_t rank = kBestRank; rank <= kWorstRank; rank *= 100)
      legend.entries.push_back({WithThousands(rank), RankColour(rank)});
    legend.entries.push_back({text(kLegendUnknownRank), kUnknownRankColour});
  }
  return legend;
}

}  // namespace quillon::grapher
