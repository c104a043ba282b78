#include "grapher/layout/placement.h"

#include <cmath>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "grapher/layout/single_float.h"
#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

constexpr double kPi = 3.14159265358979;  // the directions depend on these exact digits

void PlaceChild(Context& ctx, const Product& parent, Product& child) {
  const float d = EdgeLength(ctx.settings, parent, child);
  const double angle = NextPlacementAngle(ctx);
  child.X = ToSingle(static_cast<double>(parent.X) + static_cast<double>(d) * std::cos(angle));
  child.Y = ToSingle(static_cast<double>(parent.Y) - static_cast<double>(d) * std::sin(angle));
}

// Draws a child as the settings ask, then shows it and lets the window breathe.
void DrawChild(Context& ctx, const Product& parent, const Product& child) {
  Surface& surface = ctx.surface;
  if (ctx.settings.DrawProductName) {
    surface.setCurrentPosition(child.X, child.Y);
    surface.print(child.Title);
  }
  if (ctx.settings.DrawCircle)
    surface.circle(child.X, child.Y, kProductMarkerRadius, kProductMarkerColor);
  if (ctx.settings.DrawLine) surface.line(parent.X, parent.Y, child.X, child.Y);
  surface.present();
  ctx.host.processEvents();
}

}  // namespace

std::int32_t NextPlacementAngle(Context& ctx) {
  const double r = ctx.random.nextSingle();
  ctx.PlacementAngle = static_cast<std::int32_t>(RoundHalfEven((r + r) * kPi));
  return ctx.PlacementAngle;
}

float EdgeLength(const LayoutSettings& settings, const Product& parent, const Product& child) {
  if (parent.KeyWordIndex == -1 || child.KeyWordIndex == -1) return settings.GraphDefaultDistance;
  if (child.KeyWordIndex == parent.KeyWordIndex) return settings.GraphSameKeyWordDistance;
  return settings.GraphDifferentKeyWordDistance;
}

void PlaceProducts(Context& ctx) {
  auto& table = ctx.catalogue.ProductTable;
  if (table.empty()) return;  // nothing loaded: nothing to place
  Product& start = table[0];
  start.X = ctx.surface.width() / 2;
  start.Y = ctx.surface.height() / 2;
  start.Placed = 1;
  if (ctx.settings.DrawProductName) {
    ctx.surface.setCurrentPosition(start.X, start.Y);
    ctx.surface.print(std::to_string(start.SalesRank));
    ctx.surface.present();
  }
  for (std::size_t e = 0; e < table[0].SimilarIndex.size(); ++e) {
    const std::int32_t c = table[0].SimilarIndex[e];
    PlaceChild(ctx, table[0], table[c]);
    table[c].Placed = 1;
    DrawChild(ctx, table[0], table[c]);
    PlaceSubtree(ctx, c);
  }
}

void PlaceSubtree(Context& ctx, std::int32_t parent) {
  auto& table = ctx.catalogue.ProductTable;
  // One frame per product whose list is being walked; `next` is the entry in hand.
  struct Frame {
    std::int32_t product;
    std::size_t next;
  };
  std::vector<Frame> stack{{parent, 0}};
  while (!stack.empty()) {
    const Frame top = stack.back();
    const auto& list = table[top.product].SimilarIndex;
    if (top.next == list.size()) {
      stack.pop_back();
      ctx.host.checkQuit();
      if (stack.empty()) break;
      // The entry that started this subtree is drawn after the whole subtree.
      Frame& caller = stack.back();
      DrawChild(ctx, table[caller.product], table[table[caller.product].SimilarIndex[caller.next]]);
      ++caller.next;
      continue;
    }
    const std::int32_t c = list[top.next];
    if (table[c].Placed == 0) {
      table[c].Placed = 1;
      PlaceChild(ctx, table[top.product], table[c]);
      stack.push_back({c, 0});
      continue;
    }
    DrawChild(ctx, table[top.product], table[c]);
    ++stack.back().next;
  }
}

void CenterProducts(Context& ctx) {
  ctx.host.setLabel(Label::Status, "商品をセンタリング中");
  ctx.host.setLabel(Label::Status2, "");
  auto& table = ctx.catalogue.ProductTable;
  if (table.empty()) return;  // no centre of mass to move
  float sumX = 0;
  float sumY = 0;
  for (const Product& p : table) {
    sumX = ToSingle(static_cast<double>(sumX) + p.X);
    sumY = ToSingle(static_cast<double>(sumY) + p.Y);
  }
  const double n = static_cast<double>(table.size());
  const float offsetX = ToSingle(sumX / n - ctx.surface.width() / 2.0);
  const float offsetY = ToSingle(sumY / n - ctx.surface.height() / 2.0);
  for (Product& p : table) {
    p.X = ToSingle(static_cast<double>(p.X) - offsetX);
    p.Y = ToSingle(static_cast<double>(p.Y) - offsetY);
  }
}

}  // namespace quillon::grapher
