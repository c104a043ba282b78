#include "grapher/layout/relaxation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::AddKeyWords;
using testing::AddProduct;
using testing::Drawing;
using testing::Link;

struct Relaxation : ::testing::Test {
  Relaxation() {
    d.settings.ProductCloseForce = 0.05f;
    d.settings.ProductCloseForceByKeyWord = 0.05f;
    d.settings.KeyWordCloseForce = 0.05f;
  }
  void place(std::size_t i, float x, float y) {
    d.product(i).X = x;
    d.product(i).Y = y;
  }
  // Product 2 at (x, y), first named by product 0 (so, as in a load, not its
  // referrer) and then by its referrer, product 1 at the origin with the given rank.
  void referrerPair(std::int32_t referrerRank, float x, float y) {
    AddProduct(d.catalogue(), "first lister", 1, {2});
    AddProduct(d.catalogue(), "referrer", referrerRank, {2});
    AddProduct(d.catalogue(), "pulled", 1);
    Link(d.catalogue());
    ASSERT_EQ(d.product(2).ReferrerIndex, std::vector<std::int32_t>{1});
    place(2, x, y);
  }
  // One keyword "key" at the origin and one product with it at (x, y).
  void keyWordPair(std::int32_t rank, float x, float y) {
    AddKeyWords(d.catalogue(), {"key"});
    AddProduct(d.catalogue(), "a KEY product", rank);
    Link(d.catalogue());
    place(0, x, y);
    d.keyWord(0).HasProduct = true;
  }
  Drawing d;
};

struct PullRow {
  const char* name;
  std::int32_t rank;
  float startX, startY;
  float endX, endY;
};

class ReferrerPull : public Relaxation, public ::testing::WithParamInterface<PullRow> {};

TEST_P(ReferrerPull, MovesTowardTheReferrer) {
  const PullRow& row = GetParam();
  referrerPair(row.rank, row.startX, row.startY);
  PullToReferrers(d.products(), d.settings.ProductCloseForce, d.host);
  EXPECT_NEAR(d.product(2).X, row.endX, 1e-3);
  EXPECT_NEAR(d.product(2).Y, row.endY, 1e-3);
  EXPECT_EQ(d.product(1).X, 0);  // the referrer stays
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReferrerPull,
    ::testing::Values(PullRow{"RankOne", 1, 100, 0, 95, 0},
                      PullRow{"Rank900", 900, 100, 0, 96.659f, 0},
                      PullRow{"NoRankNoPull", 0, 100, 0, 100, 0},
                      PullRow{"RankWithZeroLogarithm", -99, 100, 0, 100, 0},
                      PullRow{"RankWithUndefinedLogarithm", -100, 100, 0, 100, 0},
                      PullRow{"LowestRank", std::numeric_limits<std::int32_t>::min(), 100, 0, 100,
                              0},
                      PullRow{"SmallNegativeRankStillPulls", -50, 100, 0,
                              static_cast<float>(100 - std::log(101.0) / std::log(50.0) * 5), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Relaxation, ProductPullIsLogarithmicKeyWordPullLinear) {
  keyWordPair(1, 10, 10);
  const KeyWordMembership members(d.catalogue());
  PullProductsToKeyWords(d.products(), d.keyWords(), members, d.settings.ProductCloseForceByKeyWord,
                         d.host);
  EXPECT_NEAR(d.product(0).X, 9.7402, 1e-4);
  EXPECT_NEAR(d.product(0).Y, 9.7402, 1e-4);
  EXPECT_EQ(d.keyWord(0).X, 0);  // only the product moves
  place(0, 10, 0);
  PullKeyWordsToProducts(d.products(), d.keyWords(), members, d.settings.KeyWordCloseForce, d.host);
  EXPECT_NEAR(d.keyWord(0).X, 0.2085, 1e-4);
  EXPECT_EQ(d.keyWord(0).Y, 0);
}

struct SkipRow {
  const char* name;
  std::int32_t rank;
};

class KeyWordPullSkips : public Relaxation, public ::testing::WithParamInterface<SkipRow> {};

TEST_P(KeyWordPullSkips, RanksWithoutAUsableLogarithm) {
  keyWordPair(GetParam().rank, 10, 10);
  const KeyWordMembership members(d.catalogue());
  PullProductsToKeyWords(d.products(), d.keyWords(), members, d.settings.ProductCloseForceByKeyWord,
                         d.host);
  PullKeyWordsToProducts(d.products(), d.keyWords(), members, d.settings.KeyWordCloseForce, d.host);
  EXPECT_EQ(d.product(0).X, 10);
  EXPECT_EQ(d.keyWord(0).X, 0);
  EXPECT_EQ(d.keyWord(0).Y, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyWordPullSkips,
                         ::testing::Values(SkipRow{"NoRank", 0}, SkipRow{"ZeroLogarithm", -99},
                                           SkipRow{"Undefined", -1000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Relaxation, PlaceKeyWordsAtTheCentreOfTheirProducts) {
  auto& c = d.catalogue();
  AddKeyWords(c, {"Alpha", "nowhere", ""});
  AddProduct(c, "ALPHA one", 0);
  AddProduct(c, "two alpha", 7);
  AddProduct(c, "", 3);  // no record: belongs to no keyword, not even the empty one
  Link(c);
  place(1, 10, 20);
  place(2, 1000, 1000);
  d.keyWord(1).X = 33;
  PlaceKeyWords(d.products(), d.keyWords(), KeyWordMembership(c), d.host);
  EXPECT_TRUE(d.keyWord(0).HasProduct);
  EXPECT_FLOAT_EQ(d.keyWord(0).X, 5);
  EXPECT_FLOAT_EQ(d.keyWord(0).Y, 10);
  EXPECT_FALSE(d.keyWord(1).HasProduct);
  EXPECT_FLOAT_EQ(d.keyWord(1).X, 33);
  EXPECT_TRUE(d.keyWord(2).HasProduct);
  EXPECT_FLOAT_EQ(d.keyWord(2).X, 5);
  EXPECT_EQ(d.host.eventPumps, 3);
}

TEST_F(Relaxation, LaterStepsSeeEarlierMoves) {
  // Two referrers in list order: the second pull starts where the first ended.
  auto& c = d.catalogue();
  AddProduct(c, "first lister", 1, {3});
  AddProduct(c, "r1", 1, {3});
  AddProduct(c, "r2", 1, {3});
  AddProduct(c, "pulled", 1);
  Link(c);
  ASSERT_EQ(d.product(3).ReferrerIndex, (std::vector<std::int32_t>{1, 2}));
  place(3, 100, 0);
  place(2, 50, 0);
  PullToReferrers(d.products(), d.settings.ProductCloseForce, d.host);
  const double afterFirst = 95;
  const double dx = afterFirst - 50;
  EXPECT_NEAR(d.product(3).X, afterFirst - std::log(dx + 1) / std::log(101.0) * dx * 0.05, 1e-3);
}

TEST_F(Relaxation, HugeForcesNeverLeaveTheFloatRange) {
  referrerPair(1, 1e30f, -1e30f);
  d.settings.ProductCloseForce = -1e30f;
  for (int i = 0; i < 3; ++i) PullToReferrers(d.products(), d.settings.ProductCloseForce, d.host);
  EXPECT_TRUE(std::isfinite(d.product(2).X));
  EXPECT_TRUE(std::isfinite(d.product(2).Y));
  EXPECT_EQ(d.product(2).X, std::numeric_limits<float>::max());
}

}  // namespace
}  // namespace quillon::grapher
