#include "grapher/commands/keyword_graph.h"

#include <gtest/gtest.h>

#include <cmath>

#include "grapher/layout/placement.h"
#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::AddKeyWords;
using testing::AddProduct;
using testing::Drawing;
using testing::Link;
using Kind = testing::RecordingSurface::Kind;
using Texts = std::vector<std::string>;

const float kRank0 = static_cast<float>(1 / std::log(1000.0));
const float kRank100000 = static_cast<float>(1 / std::log(101000.0));

TEST(ExtractKeyWordRelationsTest, WeightsFollowTheSimilarProductsRanks) {
  Drawing d;
  auto& c = d.catalogue();
  AddKeyWords(c, {"a", "b", "c"});
  AddProduct(c, "a start", 1, {1, 2});
  AddProduct(c, "b best", 0);
  AddProduct(c, "c worse", 100000);
  Link(c);
  ExtractKeyWordRelations(d.catalogue(), d.host);
  EXPECT_FLOAT_EQ(d.keyWord(0).Relation[1], kRank0);
  EXPECT_FLOAT_EQ(d.keyWord(0).Relation[2], kRank100000);
  EXPECT_NEAR(kRank0, 0.1448, 1e-4);
  EXPECT_NEAR(kRank100000, 0.0868, 1e-4);
  EXPECT_EQ(d.keyWord(1).Relation[0], 0);  // directed
  for (const KeyWord& k : c.KeyWordTable) EXPECT_TRUE(k.HasProduct) << k.Text;
  EXPECT_EQ(d.host.textsOf(Label::Status2), (Texts{"0/3", "1/3", "2/3"}));
  EXPECT_EQ(d.host.eventPumps, 3 * 3);
}

TEST(ExtractKeyWordRelationsTest, FirstOtherKeyWordOfTheSimilarProductTakesTheWeight) {
  Drawing d;
  auto& c = d.catalogue();
  AddKeyWords(c, {"a", "b", "c"});
  AddProduct(c, "a and b", 0, {1, 2, 3, 4});
  AddProduct(c, "only a", 0);   // for a: nothing; for b: a
  AddProduct(c, "b c a", 0);    // for a: b; for b: a (first other in table order)
  AddProduct(c, "nothing", 0);  // no keyword: no weight
  AddProduct(c, "c", -1000);    // undefined logarithm: no weight, but c has products
  Link(c);
  ExtractKeyWordRelations(d.catalogue(), d.host);
  const auto& a = d.keyWord(0).Relation;
  const auto& b = d.keyWord(1).Relation;
  EXPECT_FLOAT_EQ(a[1], kRank0);
  EXPECT_EQ(a[2], 0);
  EXPECT_EQ(a[0], 0);
  EXPECT_FLOAT_EQ(b[0], 2 * kRank0);
  EXPECT_EQ(b[2], 0);
  EXPECT_TRUE(d.keyWord(2).HasProduct);
  for (const KeyWord& k : c.KeyWordTable)
    for (const float w : k.Relation) EXPECT_TRUE(std::isfinite(w));
}

TEST(ExtractKeyWordRelationsTest, ASecondRunDoublesEveryWeight) {
  Drawing d;
  auto& c = d.catalogue();
  AddKeyWords(c, {"a", "b"});
  AddProduct(c, "a", 0, {1});
  AddProduct(c, "b", 0, {0});
  Link(c);
  ASSERT_TRUE(d.drawKeyWordGraph().ok());
  ASSERT_TRUE(d.drawKeyWordGraph().ok());
  EXPECT_FLOAT_EQ(d.keyWord(0).Relation[1], 2 * kRank0);
  EXPECT_FLOAT_EQ(d.keyWord(1).Relation[0], 2 * kRank0);
}

TEST(DrawKeyWordGraphTest, OneKeyWordIsTheRootInTheMiddle) {
  Drawing d;
  AddKeyWords(d.catalogue(), {"solo"});
  AddProduct(d.catalogue(), "nothing in common", 5, {0});
  Link(d.catalogue());
  ASSERT_TRUE(d.drawKeyWordGraph().ok());
  EXPECT_TRUE(d.keyWord(0).Placed);
  EXPECT_FLOAT_EQ(d.keyWord(0).X, 200);
  EXPECT_FLOAT_EQ(d.keyWord(0).Y, 150);
  EXPECT_EQ(d.surface.count(Kind::Print), 1);
  EXPECT_EQ(d.surface.count(Kind::Present), 1);
  EXPECT_EQ(d.host.textsOf(Label::Status),
            (Texts{"キーワードの関係を抽出中", "キーワードを配置中", "ぬるぽ"}));
  EXPECT_EQ(d.host.textsOf(Label::Status2), (Texts{"0/1", "", ""}));
}

TEST(ChooseRootKeyWordTest, FirstContainedKeyWordElseTheLast) {
  Catalogue c;
  AddKeyWords(c, {"x", "y", "z"});
  AddProduct(c, "only Y and z");
  EXPECT_EQ(ChooseRootKeyWord(c), 1);
  for (const char* title : {"z", "nothing", ""}) {
    c.ProductTable[0].Title = title;
    EXPECT_EQ(ChooseRootKeyWord(c), 2) << title;
  }
}

TEST(DrawKeyWordGraphTest, UnreachableKeyWordsStayUnplacedAndUndrawn) {
  Drawing d;
  auto& c = d.catalogue();
  AddKeyWords(c, {"a", "b", "c", "d"});
  AddProduct(c, "a", 1, {1});  // a -> b
  AddProduct(c, "b", 1, {0});  // b -> a
  AddProduct(c, "c", 1, {3});  // c -> d, but nothing leads to c
  AddProduct(c, "d", 1);
  Link(c);
  ASSERT_TRUE(d.drawKeyWordGraph().ok());
  EXPECT_TRUE(d.keyWord(0).Placed);
  EXPECT_TRUE(d.keyWord(1).Placed);
  EXPECT_FALSE(d.keyWord(2).Placed);
  EXPECT_FALSE(d.keyWord(3).Placed);
  EXPECT_TRUE(d.keyWord(3).HasProduct);
  EXPECT_EQ(d.surface.count(Kind::Rectangle), 2);
  const double gap = std::hypot(d.keyWord(1).X - d.keyWord(0).X, d.keyWord(1).Y - d.keyWord(0).Y);
  EXPECT_NEAR(gap, 40, 1e-3);
}

// A plain recursive placement: the explicit stack must place in its order.
void ReferencePlace(Drawing& d, std::int32_t index) {
  auto& keys = d.keyWords();
  const auto count = static_cast<std::int32_t>(keys.size());
  for (std::int32_t i = 0; i < count; ++i) {
    if (i == index || !(keys[index].Relation[i] > 0) || keys[i].Placed) continue;
    const double a = NextPlacementAngle(d.directions);
    keys[i].X = static_cast<float>(d.settings.GraphDefaultDistance * std::cos(a) + keys[index].X);
    keys[i].Y = static_cast<float>(keys[index].Y - d.settings.GraphDefaultDistance * std::sin(a));
    keys[i].Placed = true;
    ReferencePlace(d, i);
  }
}

TEST(PlaceRelatedKeyWordsTest, DepthFirstInTheRecursiveOrder) {
  constexpr int kCount = 60;
  Drawing actual, reference;
  for (Drawing* d : {&actual, &reference}) {
    for (int k = 0; k < kCount; ++k) d->catalogue().KeyWordTable.emplace_back();
    for (int k = 0; k < kCount; ++k) {
      d->keyWord(k).Relation.assign(kCount, 0);
      for (int m = 0; m < kCount; ++m)
        if ((k * 7 + m * 13) % 11 == 0 && (k + m) % 3 != 0) d->keyWord(k).Relation[m] = 0.5f;
    }
    d->keyWord(5).Placed = true;
    d->settings.GraphDefaultDistance = 40;
  }
  PlaceRelatedKeyWords(actual.keyWords(), 5, actual.settings.GraphDefaultDistance,
                       actual.directions);
  ReferencePlace(reference, 5);
  int placed = 0;
  for (int k = 0; k < kCount; ++k) {
    EXPECT_EQ(actual.keyWord(k).Placed, reference.keyWord(k).Placed) << k;
    EXPECT_EQ(actual.keyWord(k).X, reference.keyWord(k).X) << k;
    EXPECT_EQ(actual.keyWord(k).Y, reference.keyWord(k).Y) << k;
    placed += actual.keyWord(k).Placed;
  }
  EXPECT_GT(placed, 10);
}

TEST(DrawKeyWordGraphTest, WithoutKeyWordsOrProductsItSaysSoAndChangesNothing) {
  Drawing d;
  AddProduct(d.catalogue(), "a product");
  const Status noKeyWord = d.drawKeyWordGraph();
  ASSERT_FALSE(noKeyWord.ok());
  EXPECT_NE(noKeyWord.error().find("keyword"), std::string::npos);
  EXPECT_TRUE(d.surface.ops.empty());
  EXPECT_TRUE(d.host.history.empty());

  Drawing empty;
  AddKeyWords(empty.catalogue(), {"k"});
  const Status noProduct = empty.drawKeyWordGraph();
  ASSERT_FALSE(noProduct.ok());
  EXPECT_NE(noProduct.error().find("product"), std::string::npos);
}

TEST(DrawKeyWordGraphTest, CloseRequestTakesEffectAfterTheFirstLabelStep) {
  Drawing d;
  AddKeyWords(d.catalogue(), {"a", "b"});
  AddProduct(d.catalogue(), "a", 1, {0});
  d.host.quitAfterPumps = 1;  // during the extraction, which does not look at it
  EXPECT_THROW(static_cast<void>(d.drawKeyWordGraph()), EndProgram);
  EXPECT_EQ(d.host.label(Label::Status), "ぬるぽ");
  EXPECT_EQ(d.surface.count(Kind::Print), 1);
}

}  // namespace
}  // namespace quillon::grapher
