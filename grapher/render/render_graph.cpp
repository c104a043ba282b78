#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

// Every step of a pass ends the same way, so a long drawing can be watched and closed.
void PresentAndCheck(Context& ctx) {
  ctx.surface.present();
  ctx.host.processEvents();
  ctx.host.checkQuit();
}

}  // namespace

void RenderGraph(Context& ctx, const KeyWordMembership& members) {
  Surface& surface = ctx.surface;
  const auto& products = ctx.catalogue.ProductTable;
  const auto& keyWords = ctx.catalogue.KeyWordTable;

  surface.clear();
  for (const Product& p : products) {
    if (ctx.settings.DrawProductName) {
      surface.setCurrentPosition(p.X, p.Y);
      surface.print(p.Title);
    }
    surface.circle(p.X, p.Y, kProductMarkerRadius, kProductMarkerColor);
    for (const std::int32_t s : p.SimilarIndex)
      surface.line(p.X, p.Y, products[s].X, products[s].Y);
    PresentAndCheck(ctx);
  }

  surface.setForeColor(kKeyWordLineColor);
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    const KeyWord& key = keyWords[k];
    if (key.HasProduct) {
      for (const std::int32_t p : members.productsOf(k))
        surface.line(key.X, key.Y, products[p].X, products[p].Y);
    }
    PresentAndCheck(ctx);
  }

  surface.setForeColor(kBlack);
  for (const KeyWord& key : keyWords) {
    if (key.HasProduct) DrawKeyWordLabel(surface, key.Text, key.X, key.Y);
    PresentAndCheck(ctx);
  }
  surface.present();
}

void RenderGraph(Context& ctx) {
  RenderGraph(ctx, KeyWordMembership(ctx.catalogue));
}

void DrawKeyWordLabel(Surface& surface, std::string_view text, float x, float y) {
  const double w = surface.textWidth(text);
  const double h = surface.textHeight(text);
  const double left = x - w / 2;
  const double top = y - h / 2;
  surface.setCurrentPosition(static_cast<float>(left), static_cast<float>(top));
  surface.print(text);
  surface.rectangle(static_cast<float>(left - 1), static_cast<float>(top - 1),
                    static_cast<float>(x + w / 2), static_cast<float>(y + h / 2), kBlack);
}

}  // namespace quillon::grapher
