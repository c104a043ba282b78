#include "grapher/view/measure_style.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "grapher/render/render_graph.h"
#include "grapher/view/view_legend.h"
#include "grapher/view/view_texts.h"

namespace quillon::grapher {
namespace {

// Ten colours that part well on white (a qualitative palette).
constexpr Rgb kGroupPalette[kColouredGroups] = {
    {31, 119, 180}, {255, 127, 14},  {44, 160, 44},  {214, 39, 40},  {148, 103, 189},
    {140, 86, 75},  {227, 119, 194}, {188, 189, 34}, {23, 190, 207}, {0, 0, 128}};

// The rank scale of the colours, turned round: the best sellers are the largest.
double RankWeight(std::int32_t rank) {
  if (rank <= 0) return 0;
  const double clamped = std::clamp(rank, kBestRank, kWorstRank);
  return 1 - std::log(clamped / kBestRank) / std::log(double{kWorstRank} / kBestRank);
}

std::string ValueText(SizeBy mode, double value) {
  char text[32];
  if (mode == SizeBy::PageRank)
    std::snprintf(text, sizeof text, "%.2g", value);
  else
    std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

}  // namespace

std::optional<SizeBy> ParseSizeBy(std::string_view text) {
  if (text == "pagerank") return SizeBy::PageRank;
  if (text == "degree") return SizeBy::Degree;
  if (text == "rank") return SizeBy::Rank;
  return std::nullopt;
}

Rgb GroupColour(std::int32_t group) {
  if (group < 0 || group >= kColouredGroups) return kOtherGroupColour;
  return kGroupPalette[group];
}

MarkerSizes::MarkerSizes(SizeBy mode, const Catalogue& catalogue,
                         const analysis::GraphMeasures* measures)
    : mode_(mode),
      catalogue_(catalogue),
      measures_(measures != nullptr && measures->size() == catalogue.ProductTable.size()
                    ? measures
                    : nullptr) {
  if (mode_ == SizeBy::PageRank && measures_ != nullptr && measures_->size() > 0)
    largest_ = *std::max_element(measures_->PageRank.begin(), measures_->PageRank.end());
  if (mode_ == SizeBy::Degree && measures_ != nullptr && measures_->size() > 0)
    largest_ = *std::max_element(measures_->InDegree.begin(), measures_->InDegree.end());
  if (mode_ == SizeBy::Rank) largest_ = kBestRank;
}

float MarkerSizes::radiusFor(double value) const {
  double weight = 0;
  if (mode_ == SizeBy::Rank)
    weight = RankWeight(static_cast<std::int32_t>(value));
  else if (largest_ > 0)
    weight = std::sqrt(std::max(0.0, value) / largest_);  // area grows with the value
  return kProductMarkerRadius +
         static_cast<float>(weight) * (kLargestMarkerRadius - kProductMarkerRadius);
}

float MarkerSizes::radius(std::size_t product) const {
  switch (mode_) {
    case SizeBy::Fixed:
      break;
    case SizeBy::Rank:
      return radiusFor(catalogue_.ProductTable[product].SalesRank);
    case SizeBy::PageRank:
      if (measures_ != nullptr) return radiusFor(measures_->PageRank[product]);
      break;
    case SizeBy::Degree:
      if (measures_ != nullptr) return radiusFor(measures_->InDegree[product]);
      break;
  }
  return kProductMarkerRadius;
}

Rgb MeasuredColour(ColourBy mode, const Product& product, std::size_t i,
                   const analysis::GraphMeasures* measures) {
  if (mode != ColourBy::Community && mode != ColourBy::Component)
    return ProductColour(mode, product);
  if (measures == nullptr || i >= measures->size()) return kOtherGroupColour;
  return GroupColour(mode == ColourBy::Community ? measures->Community[i] : measures->Component[i]);
}

Legend GroupLegend(ColourBy mode, const analysis::GraphMeasures* measures,
                   const Host::TextTranslator& translate) {
  const auto text = [&translate](std::string_view source) {
    return Host::Translated(translate, source);
  };
  Legend legend;
  legend.morePattern = text(kLegendMorePattern);
  if (measures == nullptr || (mode != ColourBy::Community && mode != ColourBy::Component))
    return legend;
  const bool community = mode == ColourBy::Community;
  legend.title = text(community ? kLegendCommunityTitle : kLegendComponentTitle);
  const auto& sizes = community ? measures->communitySizes : measures->componentSizes;
  const auto coloured = std::min<std::size_t>(sizes.size(), kColouredGroups);
  std::int32_t rest = 0;
  for (std::size_t g = coloured; g < sizes.size(); ++g) rest += sizes[g];
  for (std::size_t g = 0; g < coloured; ++g)
    legend.entries.push_back(
        {FillText(text(kLegendGroupPattern), {std::to_string(g), std::to_string(sizes[g])}),
         GroupColour(static_cast<std::int32_t>(g))});
  if (rest > 0)
    legend.entries.push_back(
        {FillText(text(kLegendGroupPattern), {text(kLegendOtherGroups), std::to_string(rest)}),
         kOtherGroupColour});
  return legend;
}

void DrawSizeLegend(const MarkerSizes& sizes, Surface& surface,
                    const Host::TextTranslator& translate) {
  if (sizes.mode() == SizeBy::Fixed) return;
  const std::string_view source = sizes.mode() == SizeBy::PageRank ? kLegendPageRankTitle
                                  : sizes.mode() == SizeBy::Degree ? kLegendInDegreeTitle
                                                                   : kLegendRankTitle;
  const std::string title = Host::Translated(translate, source);
  // Largest, middle and smallest value of the scale.
  std::vector<double> values;
  if (sizes.mode() == SizeBy::Rank)
    values = {1, 1000, 1000000};
  else
    values = {sizes.largest(), sizes.largest() / 4, 0};
  const float row = std::max(surface.textHeight(title), 2 * kLargestMarkerRadius) + 2;
  float textWidth = surface.textWidth(title);
  for (const double v : values)
    textWidth = std::max(textWidth, 2 * kLargestMarkerRadius + kLegendPaddingPx +
                                        surface.textWidth(ValueText(sizes.mode(), v)));
  const float boxWidth = std::round(textWidth + 2 * kLegendPaddingPx);
  const float boxHeight = std::round(row * static_cast<float>(values.size()) +
                                     surface.textHeight(title) + 2 * kLegendPaddingPx);
  const float right = std::round(surface.width() - kLegendMarginPx);
  const float bottom = std::round(surface.height() - kLegendMarginPx);
  const float left = right - boxWidth, top = bottom - boxHeight;
  for (float y = top; y <= bottom; ++y) surface.coloredLine(left, y, right, y, kWhite);
  surface.rectangle(left, top, right, bottom, kBlack);
  surface.setForeColor(kBlack);
  surface.setCurrentPosition(left + kLegendPaddingPx, top + kLegendPaddingPx);
  surface.print(title);
  float y = top + kLegendPaddingPx + surface.textHeight(title);
  for (const double v : values) {
    const float cx = left + kLegendPaddingPx + kLargestMarkerRadius;
    surface.circle(cx, y + row / 2, sizes.radiusFor(v), kProductMarkerColor);
    surface.setCurrentPosition(cx + kLargestMarkerRadius + kLegendPaddingPx,
                               y + (row - surface.textHeight(title)) / 2);
    surface.print(ValueText(sizes.mode(), v));
    y += row;
  }
}

}  // namespace quillon::grapher
