#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

// Every step of a pass ends the same way, so a long drawing can be watched and closed.
void PresentAndCheck(Surface& surface, Host& host) {
  surface.present();
  host.processEvents();
  host.checkQuit();
}

}  // namespace

void RenderGraph(const Catalogue& catalogue, const KeyWordMembership& members, bool drawProductName,
                 Surface& surface, Host& host) {
  const auto& products = catalogue.ProductTable;
  const auto& keyWords = catalogue.KeyWordTable;

  surface.clear();
  for (const Product& p : products) {
    if (drawProductName) {
      surface.setCurrentPosition(p.X, p.Y);
      surface.print(p.Title);
    }
    surface.circle(p.X, p.Y, kProductMarkerRadius, kProductMarkerColor);
    for (const std::int32_t s : p.SimilarIndex)
      surface.line(p.X, p.Y, products[s].X, products[s].Y);
    PresentAndCheck(surface, host);
  }

  surface.setForeColor(kKeyWordLineColor);
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    const KeyWord& key = keyWords[k];
    if (key.HasProduct) {
      for (const std::int32_t p : members.productsOf(k))
        surface.line(key.X, key.Y, products[p].X, products[p].Y);
    }
    PresentAndCheck(surface, host);
  }

  surface.setForeColor(kBlack);
  for (const KeyWord& key : keyWords) {
    if (key.HasProduct) DrawKeyWordLabel(surface, key.Text, key.X, key.Y);
    PresentAndCheck(surface, host);
  }
  surface.present();
}

void RenderGraph(const Catalogue& catalogue, bool drawProductName, Surface& surface, Host& host) {
  RenderGraph(catalogue, KeyWordMembership(catalogue), drawProductName, surface, host);
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
