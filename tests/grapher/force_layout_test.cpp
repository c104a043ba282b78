// The force layout by the properties it must have: degenerate inputs first,
// then finite, repeatable, independent of the thread count, groups apart.
#include "grapher/layout/force_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "grapher/commands/force_graph.h"
#include "grapher/layout/neighbour_agreement.h"
#include "tests/grapher/drawing_fixture.h"
#include "tests/support/grouped_products.h"

namespace quillon::grapher {
namespace {

// Products linked as given; titles and ranks do not matter to the layout.
std::vector<Product> Linked(const std::vector<std::vector<std::int32_t>>& lists) {
  std::vector<Product> products(lists.size());
  for (std::size_t i = 0; i < lists.size(); ++i) products[i].SimilarIndex = lists[i];
  return products;
}

void ExpectFiniteAndApart(const std::vector<LayoutPoint>& points) {
  std::set<std::pair<double, double>> distinct;
  for (const LayoutPoint& p : points) {
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    distinct.insert({p.x, p.y});
  }
  EXPECT_EQ(distinct.size(), points.size());
}

TEST(ForceLayout, NoneOneOrTwoProducts) {
  ForceLayoutOptions options;
  options.edgeLength = 30;
  EXPECT_TRUE(ForceLayout({}, options).empty());
  const auto one = ForceLayout(Linked({{0}}), options);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].x, 0);
  EXPECT_EQ(one[0].y, 0);
  const auto two = ForceLayout(Linked({{1}, {}}), options);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_DOUBLE_EQ(std::hypot(two[1].x - two[0].x, two[1].y - two[0].y), 30);
}

TEST(ForceLayout, OddStructuresGiveFiniteDistinctPositions) {
  const struct {
    const char* name;
    std::vector<std::vector<std::int32_t>> lists;
  } rows[] = {
      {"no links", std::vector<std::vector<std::int32_t>>(50)},
      {"self-links and a link listed twice", {{0, 1, 1}, {1, 2}, {2, 0}, {3, 3}}},
      {"a star", {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {}, {}, {}, {}, {}, {}, {}, {}, {}}},
      {"two parts", {{1}, {2}, {0}, {4}, {5}, {3}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ExpectFiniteAndApart(ForceLayout(Linked(row.lists), {}));
  }
}

TEST(ForceLayout, SameSeedSamePositionsOnAnyNumberOfThreads) {
  const auto grouped = quillon::testing::LoadGroupedProducts(3000, 5);
  const auto& products = grouped.catalogue.ProductTable;
  ForceLayoutOptions options;
  options.seed = 7;
  options.threads = 1;
  const auto once = ForceLayout(products, options);
  options.threads = 3;
  const auto again = ForceLayout(products, options);
  ASSERT_EQ(once.size(), products.size());
  ExpectFiniteAndApart(once);
  for (std::size_t i = 0; i < once.size(); ++i) {
    EXPECT_EQ(once[i].x, again[i].x);
    EXPECT_EQ(once[i].y, again[i].y);
  }
  options.seed = 8;
  EXPECT_NE(ForceLayout(products, options)[10].x, once[10].x);
}

TEST(ForceLayout, KeepsGroupsTogether) {
  const auto grouped = quillon::testing::LoadGroupedProducts(4000, 2);
  const auto points = ForceLayout(grouped.catalogue.ProductTable, {});
  EXPECT_GT(NeighbourAgreement(points, grouped.groups, 10), 0.9);
}

TEST(ForceLayout, ReportsEveryStepAndStopsWhenTheProgressThrows) {
  const auto grouped = quillon::testing::LoadGroupedProducts(500, 3);
  int last = 0, total = 0;
  ForceLayout(grouped.catalogue.ProductTable, {}, [&](int done, int all) {
    EXPECT_EQ(done, last + 1);
    last = done;
    total = all;
  });
  EXPECT_EQ(last, total);
  int calls = 0;
  EXPECT_THROW(ForceLayout(grouped.catalogue.ProductTable, {},
                           [&](int, int) {
                             if (++calls == 3) throw EndProgram{};
                           }),
               EndProgram);
  EXPECT_EQ(calls, 3);
}

TEST(NeighbourAgreement, CountsPointsWhoseNearestShareTheirGroup) {
  std::vector<LayoutPoint> points;
  std::vector<std::int32_t> apart, mixed;
  for (int i = 0; i < 40; ++i) {
    const int group = i % 2;
    points.push_back({group * 1000.0 + i, 0});  // two clusters far apart
    apart.push_back(group);
    mixed.push_back((i / 2) % 2);  // each cluster half of either group
  }
  EXPECT_EQ(NeighbourAgreement(points, apart, 10), 1.0);
  EXPECT_LT(NeighbourAgreement(points, mixed, 10), 0.5);
  std::vector<std::int32_t> unknown(40, -1);
  EXPECT_EQ(NeighbourAgreement(points, unknown, 10), 0.0);  // nobody takes part
}

TEST(DrawForceGraph, CentresTheLayoutAndPutsKeyWordsAmongTheirProducts) {
  testing::Drawing d("", 400, 300);
  auto& c = d.catalogue();
  testing::AddKeyWords(c, {"cam", "none"});
  for (int i = 0; i < 30; ++i)
    testing::AddProduct(c, i < 10 ? "cam " + std::to_string(i) : "bag", 100 + i,
                        {(i + 1) % 30, (i + 7) % 30});
  testing::Link(c);
  DrawForceGraph(d.folder.path(), c, d.directions, d.surface, d.host);

  double sumX = 0, sumY = 0, camX = 0, camY = 0;
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(d.product(i).Placed, 1);
    sumX += d.product(i).X;
    sumY += d.product(i).Y;
    if (i < 10) {
      camX += d.product(i).X / 10;
      camY += d.product(i).Y / 10;
    }
  }
  EXPECT_NEAR(sumX / 30, 200, 0.01);
  EXPECT_NEAR(sumY / 30, 150, 0.01);
  EXPECT_TRUE(d.keyWord(0).HasProduct);
  EXPECT_NEAR(d.keyWord(0).X, camX, 0.01);
  EXPECT_NEAR(d.keyWord(0).Y, camY, 0.01);
  EXPECT_FALSE(d.keyWord(1).HasProduct);
  EXPECT_EQ(d.host.label(Label::Status), "正常終了");
  EXPECT_EQ(d.surface.count(testing::RecordingSurface::Kind::Circle), 30);
  EXPECT_EQ(d.directions.random.lastSeed(), testing::kSeed);
}

}  // namespace
}  // namespace quillon::grapher
