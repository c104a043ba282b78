#include "grapher/view/drawing_bounds.h"

#include <algorithm>

#include "grapher/render/render_graph.h"

namespace quillon::grapher {

void Bounds::include(double x, double y) {
  if (empty) {
    graph = {x, y, x, y};
    empty = false;
    return;
  }
  graph.left = std::min(graph.left, x);
  graph.top = std::min(graph.top, y);
  graph.right = std::max(graph.right, x);
  graph.bottom = std::max(graph.bottom, y);
}

void Bounds::includeWithPixels(double x, double y, double left, double up, double right,
                               double down) {
  include(x, y);
  padLeft = std::max(padLeft, left);
  padTop = std::max(padTop, up);
  padRight = std::max(padRight, right);
  padBottom = std::max(padBottom, down);
}

namespace {

void IncludeMarker(Bounds& bounds, const Product& p) {
  const double r = kProductMarkerRadius;
  bounds.includeWithPixels(p.X, p.Y, r, r, r, r);
}

}  // namespace

Bounds DrawingBounds(const Catalogue& catalogue, const Surface& measuring) {
  Bounds bounds;
  for (const Product& p : catalogue.ProductTable) IncludeMarker(bounds, p);
  for (const KeyWord& key : catalogue.KeyWordTable) {
    if (!key.HasProduct) continue;
    // The label as DrawKeyWordLabel draws it: centred, frame one pixel off on the left and top.
    const double w = measuring.textWidth(key.Text);
    const double h = measuring.textHeight(key.Text);
    bounds.includeWithPixels(key.X, key.Y, w / 2 + 1, h / 2 + 1, w / 2, h / 2);
  }
  return bounds;
}

Bounds ProductBounds(const Catalogue& catalogue, const std::vector<std::int32_t>& products) {
  Bounds bounds;
  for (const std::int32_t p : products)
    IncludeMarker(bounds, catalogue.ProductTable[static_cast<std::size_t>(p)]);
  return bounds;
}

}  // namespace quillon::grapher
