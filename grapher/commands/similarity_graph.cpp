#include "grapher/commands/similarity_graph.h"

#include <string>

#include "common/texts.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/commands/drawing_start.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement.h"
#include "grapher/layout/relaxation.h"
#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

constexpr std::int64_t kPauseMs = 3000;

}  // namespace

void DrawSimilarityGraph(const std::string& programFolder, Catalogue& catalogue,
                         PlacementDirections& directions, Surface& surface, Host& host,
                         Clock& clock) {
  auto& products = catalogue.ProductTable;
  auto& keyWords = catalogue.KeyWordTable;
  const LayoutSettings settings =
      StartProductDrawing(programFolder, catalogue, directions, surface, host);
  PlaceProducts(products, settings, directions, surface, host);
  CenterProducts(products, surface, host);

  surface.clear();
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "キーワードを配置中")));
  // Titles cannot change during a drawing, so membership is worked out once.
  const KeyWordMembership members(catalogue);
  PlaceKeyWords(products, keyWords, members, host);
  if (settings.DrawKeyWord) {
    RenderGraph(catalogue, members, settings.DrawProductName, surface, host);
    host.aboutToPause();
    clock.sleepMs(kPauseMs);
  }

  const std::int32_t iterations = settings.CloseCount;
  // A 64-bit counter: the bound may be the largest 32-bit number.
  for (std::int64_t n = 1; n <= iterations; ++n) {
    host.setLabel(Label::Status2, std::to_string(n) + "/" + std::to_string(iterations));
    host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "商品の位置を変更中")));
    PullToReferrers(products, settings.ProductCloseForce, host);
    host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "商品の位置を変更中")));
    PullProductsToKeyWords(products, keyWords, members, settings.ProductCloseForceByKeyWord, host);
    host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "キーワードの位置を変更中")));
    PullKeyWordsToProducts(products, keyWords, members, settings.KeyWordCloseForce, host);
    if (settings.DrawKeyWord) {
      RenderGraph(catalogue, members, settings.DrawProductName, surface, host);
      host.processEvents();
      host.aboutToPause();
      clock.sleepMs(kPauseMs);
    }
  }

  CenterProducts(products, surface, host);
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "グラフ描画中")));
  host.setLabel(Label::Status2, "");
  RenderGraph(catalogue, members, settings.DrawProductName, surface, host);
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "正常終了")));
}

}  // namespace quillon::grapher
