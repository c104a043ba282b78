#include "grapher/commands/similarity_graph.h"

#include <string>

#include "grapher/catalogue/keyword_membership.h"
#include "grapher/layout/placement.h"
#include "grapher/layout/relaxation.h"
#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

constexpr std::int64_t kPauseMs = 3000;

}  // namespace

void DrawSimilarityGraph(Context& ctx) {
  Host& host = ctx.host;
  for (Product& p : ctx.catalogue.ProductTable) p.Placed = 0;
  ctx.surface.clear();
  ctx.random.reseed();
  ReadLayoutSettings(ctx.programFolder, ctx.settings);

  host.setLabel(Label::Status, "商品を配置中");
  host.setLabel(Label::Status2, "");
  PlaceProducts(ctx);
  CenterProducts(ctx);

  ctx.surface.clear();
  host.setLabel(Label::Status, "キーワードを配置中");
  // Titles cannot change during a drawing, so membership is worked out once.
  const KeyWordMembership members(ctx.catalogue);
  PlaceKeyWords(ctx, members);
  if (ctx.settings.DrawKeyWord) {
    RenderGraph(ctx, members);
    ctx.clock.sleepMs(kPauseMs);
  }

  const std::int32_t iterations = ctx.settings.CloseCount;
  // A 64-bit counter: the bound may be the largest 32-bit number.
  for (std::int64_t n = 1; n <= iterations; ++n) {
    host.setLabel(Label::Status2, std::to_string(n) + "/" + std::to_string(iterations));
    host.setLabel(Label::Status, "商品の位置を変更中");
    PullToReferrers(ctx);
    host.setLabel(Label::Status, "商品の位置を変更中");
    PullProductsToKeyWords(ctx, members);
    host.setLabel(Label::Status, "キーワードの位置を変更中");
    PullKeyWordsToProducts(ctx, members);
    if (ctx.settings.DrawKeyWord) {
      RenderGraph(ctx, members);
      host.processEvents();
      ctx.clock.sleepMs(kPauseMs);
    }
  }

  CenterProducts(ctx);
  host.setLabel(Label::Status, "グラフ描画中");
  host.setLabel(Label::Status2, "");
  RenderGraph(ctx, members);
  host.setLabel(Label::Status, "正常終了");
}

}  // namespace quillon::grapher
