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

namespace {

struct LegendLayout {
  std::vector<LegendEntry> rows;  // the entries shown, the last may count the rest
  float row = 0;                  // height of a row
  Rect box;
};

std::optional<LegendLayout> LayOut(const Legend& legend, const Surface& measuring,
                                   float pictureWidth, float pictureHeight) {
  if (legend.entries.empty()) return std::nullopt;
  LegendLayout layout;
  const float row = std::max(measuring.textHeight(legend.title), kLegendSwatchPx) + 2;
  const float room = pictureHeight - 2 * kLegendMarginPx - 2 * kLegendPaddingPx;
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

  float textWidth = measuring.textWidth(legend.title);
  for (const LegendEntry& entry : rows)
    textWidth =
        std::max(textWidth, kLegendSwatchPx + kLegendPaddingPx + measuring.textWidth(entry.text));
  const float boxWidth = std::round(textWidth + 2 * kLegendPaddingPx);
  const float boxHeight =
      std::round(row * static_cast<float>(rows.size() + 1) + 2 * kLegendPaddingPx);
  const float right = std::round(pictureWidth - kLegendMarginPx);
  layout.rows = std::move(rows);
  layout.row = row;
  layout.box = {right - boxWidth, kLegendMarginPx, right, kLegendMarginPx + boxHeight};
  return layout;
}

}  // namespace

std::optional<Rect> LegendBox(const Legend& legend, const Surface& measuring, float pictureWidth,
                              float pictureHeight) {
  const auto layout = LayOut(legend, measuring, pictureWidth, pictureHeight);
  if (!layout) return std::nullopt;
  return layout->box;
}

ViewTransform FitBesideLegend(const Bounds& drawing, const Legend& legend, const Surface& measuring,
                              double viewWidth, double viewHeight, double marginPx) {
  const auto box =
      LegendBox(legend, measuring, static_cast<float>(viewWidth), static_cast<float>(viewHeight));
  if (!box) return FitTransform(drawing, viewWidth, viewHeight, marginPx);
  const ViewTransform beside = FitTransform(drawing, box->left, viewHeight, marginPx);
  ViewTransform below = FitTransform(drawing, viewWidth, viewHeight - box->bottom, marginPx);
  below.offsetY += box->bottom;
  return below.scale > beside.scale ? below : beside;
}

void DrawLegend(const Legend& legend, Surface& surface) {
  const auto layout = LayOut(legend, surface, surface.width(), surface.height());
  if (!layout) return;
  const float row = layout->row;
  const auto left = static_cast<float>(layout->box.left);
  const auto top = static_cast<float>(layout->box.top);
  const auto right = static_cast<float>(layout->box.right);
  const auto bottom = static_cast<float>(layout->box.bottom);
  FillBox(surface, left, top, right, bottom, kWhite);
  surface.rectangle(left, top, right, bottom, kBlack);

  surface.setForeColor(kBlack);
  float y = top + kLegendPaddingPx;
  surface.setCurrentPosition(left + kLegendPaddingPx, y);
  surface.print(legend.title);
  for (const LegendEntry& entry : layout->rows) {
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
