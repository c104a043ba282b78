#include "grapher/commands/similarity_graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::AddKeyWords;
using testing::AddProduct;
using testing::Drawing;
using testing::Link;
using Kind = testing::RecordingSurface::Kind;
using Texts = std::vector<std::string>;

// A catalogue of n products in a loose tree with cross links, keywords in most
// titles and ranks that include the awkward ones.
void Generate(Catalogue& c, int n, std::uint32_t seed) {
  std::mt19937 gen(seed);
  AddKeyWords(c, {"red", "blue", "green", "unused"});
  const char* words[] = {"red", "Blue", "GREEN", "plain"};
  const std::int32_t ranks[] = {1, 5, 900, 0, -99, -100, -5000, 100000};
  for (int i = 0; i < n; ++i) {
    std::vector<std::int32_t> similar;
    for (int k = 1; k <= 3; ++k)
      if (3 * i + k < n) similar.push_back(3 * i + k);
    similar.push_back(static_cast<std::int32_t>(gen() % n));
    AddProduct(c, std::string(words[gen() % 4]) + " item " + std::to_string(i), ranks[gen() % 8],
               similar);
  }
  Link(c);
}

TEST(DrawSimilarityGraphTest, DefaultsGiveOneIterationAndTheStatusTexts) {
  Drawing d;
  Generate(d.catalogue(), 30, 1);
  d.drawSimilarityGraph();
  EXPECT_EQ(d.host.textsOf(Label::Status),
            (Texts{"商品を配置中", "商品をセンタリング中", "キーワードを配置中",
                   "商品の位置を変更中", "商品の位置を変更中", "キーワードの位置を変更中",
                   "商品をセンタリング中", "グラフ描画中", "正常終了"}));
  EXPECT_EQ(d.host.textsOf(Label::Status2), (Texts{"", "", "1/1", "", ""}));
  EXPECT_EQ(d.clock.sleepCount(), 0);
}

TEST(DrawSimilarityGraphTest, ReadsTheKeyWordDistancesWithTheOtherSettings) {
  Drawing d("CloseCount=0\r\n");  // no relaxation: only the centring moves the tree
  AddKeyWords(d.catalogue(), {"red", "blue"});
  AddProduct(d.catalogue(), "red start", 1, {1, 2});
  AddProduct(d.catalogue(), "blue other");
  AddProduct(d.catalogue(), "RED same");
  Link(d.catalogue());
  d.drawSimilarityGraph();
  const auto gap = [&d](std::size_t i) {
    return std::hypot(d.product(i).X - d.product(0).X, d.product(i).Y - d.product(0).Y);
  };
  EXPECT_NEAR(gap(1), 80, 1e-3);
  EXPECT_NEAR(gap(2), 10, 1e-3);
}

TEST(DrawSimilarityGraphTest, NoIterationWhenCloseCountIsBelowOne) {
  for (const char* count : {"0", "-3"}) {
    Drawing d(std::string("CloseCount=") + count + "\r\n");
    Generate(d.catalogue(), 10, 2);
    d.drawSimilarityGraph();
    EXPECT_EQ(d.host.textsOf(Label::Status2), (Texts{"", "", "", ""})) << count;
    EXPECT_EQ(d.host.label(Label::Status), "正常終了");
  }
}

TEST(DrawSimilarityGraphTest, IntermediateRendersPauseThreeSecondsEach) {
  Drawing d("CloseCount=3\r\nDrawKeyWord=True\r\n");
  Generate(d.catalogue(), 10, 3);
  d.drawSimilarityGraph();
  EXPECT_EQ(d.host.textsOf(Label::Status2), (Texts{"", "", "1/3", "2/3", "3/3", "", ""}));
  EXPECT_EQ(d.clock.sleepCount(), 4);
  EXPECT_EQ(d.clock.totalSleptMs(), 12000);
  // Two clears before the renders, and one per render.
  EXPECT_EQ(d.surface.count(Kind::Clear), 2 + 5);
}

TEST(DrawSimilarityGraphTest, SameSeedSameDrawingAndEveryPositionFinite) {
  const auto draw = [](std::vector<float>& out) {
    Drawing d("CloseCount=5\r\n");
    Generate(d.catalogue(), 300, 4);
    d.drawSimilarityGraph();
    for (const Product& p : d.catalogue().ProductTable) {
      ASSERT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y)) << p.ASIN;
      out.push_back(p.X);
      out.push_back(p.Y);
    }
    for (const KeyWord& k : d.catalogue().KeyWordTable) {
      ASSERT_TRUE(std::isfinite(k.X) && std::isfinite(k.Y)) << k.Text;
      out.push_back(k.X);
    }
  };
  std::vector<float> first, second;
  draw(first);
  draw(second);
  EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace quillon::grapher
