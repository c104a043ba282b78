#include "grapher/commands/drawing_start.h"

#include "common/texts.h"

namespace quillon::grapher {

LayoutSettings StartProductDrawing(const std::string& programFolder, Catalogue& catalogue,
                                   PlacementDirections& directions, Surface& surface, Host& host) {
  for (Product& p : catalogue.ProductTable) p.Placed = 0;
  surface.clear();
  directions.random.reseed();
  LayoutSettings settings = ReadLayoutSettings(programFolder);
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "商品を配置中")));
  host.setLabel(Label::Status2, "");
  return settings;
}

}  // namespace quillon::grapher
