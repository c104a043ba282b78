#include "grapher/layout/placement.h"

#include <cmath>
#include <string>

#include "common/texts.h"
#include "grapher/layout/single_float.h"
#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

// One tree placement: the table it writes and what it reads, draws on and reports to.
struct TreePlacement {
  std::vector<Product>& products;
  const LayoutSettings& settings;
  PlacementDirections& directions;
  Surface& surface;
  Host& host;

  void placeChild(const Product& parent, Product& child) {
    const float d = EdgeLength(settings, parent, child);
    const double angle = NextPlacementAngle(directions);
    child.X = ToSingle(static_cast<double>(parent.X) + static_cast<double>(d) * std::cos(angle));
    child.Y = ToSingle(static_cast<double>(parent.Y) - static_cast<double>(d) * std::sin(angle));
  }

  // Draws a child as the settings ask, then shows it and lets the window breathe.
  void drawChild(const Product& parent, const Product& child) {
    if (settings.DrawProductName) {
      surface.setCurrentPosition(child.X, child.Y);
      surface.print(child.Title);
    }
    if (settings.DrawCircle)
      surface.circle(child.X, child.Y, kProductMarkerRadius, kProductMarkerColor);
    if (settings.DrawLine) surface.line(parent.X, parent.Y, child.X, child.Y);
    surface.present();
    host.processEvents();
  }

  void placeFromStart() {
    if (products.empty()) return;  // nothing loaded: nothing to place
    Product& start = products[0];
    start.X = surface.width() / 2;
    start.Y = surface.height() / 2;
    start.Placed = 1;
    if (settings.DrawProductName) {
      surface.setCurrentPosition(start.X, start.Y);
      surface.print(std::to_string(start.SalesRank));
      surface.present();
    }
    for (std::size_t e = 0; e < products[0].SimilarIndex.size(); ++e) {
      const std::int32_t c = products[0].SimilarIndex[e];
      placeChild(products[0], products[c]);
      products[c].Placed = 1;
      drawChild(products[0], products[c]);
      placeSubtree(c);
    }
  }

  void placeSubtree(std::int32_t parent) {
    // One frame per product whose list is being walked; `next` is the entry in hand.
    struct Frame {
      std::int32_t product;
      std::size_t next;
    };
    std::vector<Frame> stack{{parent, 0}};
    while (!stack.empty()) {
      const Frame top = stack.back();
      const auto& list = products[top.product].SimilarIndex;
      if (top.next == list.size()) {
        stack.pop_back();
        host.checkQuit();
        if (stack.empty()) break;
        // The entry that started this subtree is drawn after the whole subtree.
        Frame& caller = stack.back();
        drawChild(products[caller.product],
                  products[products[caller.product].SimilarIndex[caller.next]]);
        ++caller.next;
        continue;
      }
      const std::int32_t c = list[top.next];
      if (products[c].Placed == 0) {
        products[c].Placed = 1;
        placeChild(products[top.product], products[c]);
        stack.push_back({c, 0});
        continue;
      }
      drawChild(products[top.product], products[c]);
      ++stack.back().next;
    }
  }
};

}  // namespace

float EdgeLength(const LayoutSettings& settings, const Product& parent, const Product& child) {
  if (parent.KeyWordIndex == -1 || child.KeyWordIndex == -1) return settings.GraphDefaultDistance;
  if (child.KeyWordIndex == parent.KeyWordIndex) return settings.GraphSameKeyWordDistance;
  return settings.GraphDifferentKeyWordDistance;
}

void PlaceProducts(std::vector<Product>& products, const LayoutSettings& settings,
                   PlacementDirections& directions, Surface& surface, Host& host) {
  TreePlacement{products, settings, directions, surface, host}.placeFromStart();
}

void PlaceSubtree(std::vector<Product>& products, std::int32_t parent,
                  const LayoutSettings& settings, PlacementDirections& directions, Surface& surface,
                  Host& host) {
  TreePlacement{products, settings, directions, surface, host}.placeSubtree(parent);
}

void CenterProducts(std::vector<Product>& products, const Surface& surface, Host& host) {
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "商品をセンタリング中")));
  host.setLabel(Label::Status2, "");
  if (products.empty()) return;  // no centre of mass to move
  float sumX = 0;
  float sumY = 0;
  for (const Product& p : products) {
    sumX = ToSingle(static_cast<double>(sumX) + p.X);
    sumY = ToSingle(static_cast<double>(sumY) + p.Y);
  }
  const double n = static_cast<double>(products.size());
  const float offsetX = ToSingle(sumX / n - surface.width() / 2.0);
  const float offsetY = ToSingle(sumY / n - surface.height() / 2.0);
  for (Product& p : products) {
    p.X = ToSingle(static_cast<double>(p.X) - offsetX);
    p.Y = ToSingle(static_cast<double>(p.Y) - offsetY);
  }
}

}  // namespace quillon::grapher
