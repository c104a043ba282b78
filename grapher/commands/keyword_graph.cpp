#include "grapher/commands/keyword_graph.h"

#include <cmath>
#include <string>
#include <vector>

#include "common/text_compare.h"
#include "common/texts.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement.h"
#include "grapher/layout/single_float.h"
#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

// 1 / ln(rank + 1000), or 0 when the logarithm would be undefined or zero.
double RelationWeight(std::int32_t rank) {
  const std::int64_t shifted = static_cast<std::int64_t>(rank) + 1000;
  if (shifted <= 1) return 0;
  return 1 / std::log(static_cast<double>(shifted));
}

// The first keyword of `candidates` (in table order) other than `k`, or -1.
std::int32_t FirstOtherKeyWord(const std::vector<std::int32_t>& candidates, std::int32_t k) {
  for (const std::int32_t m : candidates)
    if (m != k) return m;
  return -1;
}

}  // namespace

void ExtractKeyWordRelations(Catalogue& catalogue, Host& host) {
  const auto& products = catalogue.ProductTable;
  auto& keyWords = catalogue.KeyWordTable;
  // A hand-built catalogue may lack some weights; they start at 0 like a load's.
  for (KeyWord& key : keyWords)
    if (key.Relation.size() < keyWords.size()) key.Relation.resize(keyWords.size(), 0.0f);

  const KeyWordMembership members(catalogue);
  const std::string total = std::to_string(products.size());
  for (std::size_t i = 0; i < products.size(); ++i) {
    host.setLabel(Label::Status2, std::to_string(i) + "/" + total);
    const auto& own = members.keyWordsOf(i);
    std::size_t nextOwn = 0;  // position in `own`, which is in table order like k
    for (std::size_t k = 0; k < keyWords.size(); ++k) {
      if (nextOwn < own.size() && static_cast<std::size_t>(own[nextOwn]) == k) {
        ++nextOwn;
        keyWords[k].HasProduct = true;
        for (const std::int32_t s : products[i].SimilarIndex) {
          const std::int32_t m = FirstOtherKeyWord(members.keyWordsOf(s), static_cast<int>(k));
          if (m < 0) continue;
          keyWords[m].HasProduct = true;
          const double weight = RelationWeight(products[s].SalesRank);
          if (weight == 0) continue;
          float& relation = keyWords[k].Relation[m];
          relation = ToSingle(relation + weight);
        }
      }
      host.processEvents();
    }
  }
}

std::int32_t ChooseRootKeyWord(const Catalogue& catalogue) {
  const auto& keyWords = catalogue.KeyWordTable;
  const std::string& title = catalogue.ProductTable.at(0).Title;
  const auto last = static_cast<std::int32_t>(keyWords.size()) - 1;
  for (std::int32_t k = 0; k < last; ++k)
    if (ContainsText(title, keyWords[k].Text)) return k;
  return last;
}

void PlaceRelatedKeyWords(std::vector<KeyWord>& keyWords, std::int32_t index, float distance,
                          PlacementDirections& directions) {
  const auto count = static_cast<std::int32_t>(keyWords.size());
  // One frame per keyword whose relations are being walked; `next` is the next candidate.
  struct Frame {
    std::int32_t keyWord;
    std::int32_t next;
  };
  std::vector<Frame> stack{{index, 0}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next >= count) {
      stack.pop_back();
      continue;
    }
    const std::int32_t i = top.next++;
    const KeyWord& from = keyWords[top.keyWord];
    const bool related = static_cast<std::size_t>(i) < from.Relation.size() && from.Relation[i] > 0;
    if (i == top.keyWord || !related || keyWords[i].Placed) continue;
    const double angle = NextPlacementAngle(directions);
    keyWords[i].X = ToSingle(distance * std::cos(angle) + from.X);
    keyWords[i].Y = ToSingle(from.Y - distance * std::sin(angle));
    keyWords[i].Placed = true;
    stack.push_back({i, 0});  // `top` and `from` are not used after this
  }
}

void RenderKeyWordGraph(const std::vector<KeyWord>& keyWords, Surface& surface, const Host& host) {
  surface.setForeColor(kBlack);
  for (const KeyWord& key : keyWords) {
    if (key.Placed) {
      DrawKeyWordLabel(surface, key.Text, key.X, key.Y);
      surface.present();
    }
    host.checkQuit();
  }
}

Status DrawKeyWordGraph(const std::string& programFolder, Catalogue& catalogue,
                        PlacementDirections& directions, Surface& surface, Host& host) {
  if (catalogue.ProductTable.empty()) return Failure{FailureKind::NoProductData};
  if (catalogue.KeyWordTable.empty()) return Failure{FailureKind::NoKeyWords};

  surface.clear();
  directions.random.reseed();
  const LayoutSettings settings = ReadLayoutSettings(programFolder, false);
  for (KeyWord& key : catalogue.KeyWordTable) {
    key.HasProduct = false;
    key.Placed = false;
  }
  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "キーワードの関係を抽出中")));
  ExtractKeyWordRelations(catalogue, host);

  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "キーワードを配置中")));
  host.setLabel(Label::Status2, "");
  const std::int32_t root = ChooseRootKeyWord(catalogue);
  KeyWord& rootKey = catalogue.KeyWordTable[root];
  rootKey.X = surface.width() / 2;
  rootKey.Y = surface.height() / 2;
  rootKey.Placed = true;
  PlaceRelatedKeyWords(catalogue.KeyWordTable, root, settings.GraphDefaultDistance, directions);

  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "ぬるぽ")));
  host.setLabel(Label::Status2, "");
  surface.clear();
  RenderKeyWordGraph(catalogue.KeyWordTable, surface, host);
  return Success();
}

}  // namespace quillon::grapher
