#include "grapher/commands/force_graph.h"

#include <string>

#include "common/texts.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/commands/drawing_start.h"
#include "grapher/layout/force_layout.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/relaxation.h"
#include "grapher/render/render_graph.h"

namespace quillon::grapher {

void DrawForceGraph(const std::string& programFolder, Catalogue& catalogue,
                    PlacementDirections& directions, Surface& surface, Host& host) {
  auto& products = catalogue.ProductTable;
  const LayoutSettings settings =
      StartProductDrawing(programFolder, catalogue, directions, surface, host);
  ForceLayoutOptions options;
  options.seed = directions.random.lastSeed();
  const auto points = ForceLayout(products, options, [&host](int done, int total) {
    host.setLabel(Label::Status2, std::to_string(done) + "/" + std::to_string(total));
    host.processEvents();
    host.checkQuit();
  });
  // The layout's centre goes to the middle of the surface, as centring does.
  const double middleX = surface.width() / 2.0, middleY = surface.height() / 2.0;
  for (std::size_t i = 0; i < products.size(); ++i) {
    products[i].X = static_cast<float>(middleX + points[i].x);
    products[i].Y = static_cast<float>(middleY + points[i].y);
    products[i].Placed = 1;
  }

  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "キーワードを配置中")));
  host.setLabel(Label::Status2, "");
  const KeyWordMembership members(catalogue);
  PlaceKeyWords(products, catalogue.KeyWordTable, members, host);
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "グラフ描画中")));
  RenderGraph(catalogue, members, settings.DrawProductName, surface, host);
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "正常終了")));
}

}  // namespace quillon::grapher
