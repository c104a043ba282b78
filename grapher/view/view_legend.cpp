#include "grapher/view/view_legend.h"

#include <algorithm>
#include <cmath>

#include "grapher/view/view_texts.h"

namespace quillon::grapher {
namespace {

// The surface only draws outlines: a filled box is one line per pixel row.
void FillBox(Surface& surface, float left, float top, float right, float bottom, Rgb colour) {
  for (float y = top; y <= bottom; ++y) surface.coloredLine(left, y, right, y, colour);
}

}  // namespace

void DrawLegend(const Legend& legend, Surface& surface) {
  if (legend.entries.empty()) return;
  const float row = std::max(surface.textHeight(legend.title), kLegendSwatchPx) + 2;
  const float room = surface.height() - 2 * kLegendMarginPx - 2 * kLegendPaddingPx;
  // Title plus entries, or as many as fit with the last row counting the rest.
  const auto fitting = static_cast<std::size_t>(std::max(0.0f, std::floor(room / row) - 1));
  std::vector<LegendEntry> rows = legend.entries;
  if (rows.size() > fitting && fitting > 0) {
    const std::size_t kept = fitting - 1;
    const std::size_t rest = rows.size() - kept;
    rows.resize(kept);
    rows.push_back({FillText(legend.morePattern, {std::to_string(rest)}), kWhite});
  } else if (fitting == 0) {
    rows.clear();
  }

  float textWidth = surface.textWidth(legend.title);
  for (const LegendEntry& entry : rows)
    textWidth =
        std::max(textWidth, kLegendSwatchPx + kLegendPaddingPx + surface.textWidth(entry.text));
  const float boxWidth = std::round(textWidth + 2 * kLegendPaddingPx);
  const float boxHeight =
      std::round(row * static_cast<float>(rows.size() + 1) + 2 * kLegendPaddingPx);
  const float right = std::round(surface.width() - kLegendMarginPx);
  const float left = right - boxWidth;
  const float top = kLegendMarginPx;
  FillBox(surface, left, top, right, top + boxHeight, kWhite);
  surface.rectangle(left, top, right, top + boxHeight, kBlack);

  surface.setForeColor(kBlack);
  float y = top + kLegendPaddingPx;
  surface.setCurrentPosition(left + kLegendPaddingPx, y);
  surface.print(legend.title);
  for (const LegendEntry& entry : rows) {
    y += row;
    const float x = left + kLegendPaddingPx;
    // The "and n more" row has no swatch of its own (white on white).
    if (!(entry.colour == kWhite)) {
      FillBox(surface, x, y + 1, x + kLegendSwatchPx, y + kLegendSwatchPx, entry.colour);
      surface.rectangle(x, y + 1, x + kLegendSwatchPx, y + kLegendSwatchPx, kBlack);
    }
    surface.setCurrentPosition(x + kLegendSwatchPx + kLegendPaddingPx, y);
    surface.print(entry.text);
  }
}

}  // namespace quillon::grapher
