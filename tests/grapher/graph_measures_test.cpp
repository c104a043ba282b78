// Degrees, PageRank and components of the relation, against a plain
// computation written here from the definitions.
#include "grapher/analysis/graph_measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <set>

#include "tests/support/grouped_products.h"

namespace quillon::grapher::analysis {
namespace {

Catalogue WithLinks(int n, const std::vector<std::vector<std::int32_t>>& similar) {
  Catalogue c;
  c.ProductTable.resize(static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < similar.size(); ++i) c.ProductTable[i].SimilarIndex = similar[i];
  return c;
}

// A random relation with duplicates, self links and products that list nothing.
Catalogue RandomCatalogue(int n, std::uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<std::vector<std::int32_t>> similar(static_cast<std::size_t>(n));
  for (auto& list : similar) {
    if (gen() % 5 == 0) continue;
    for (int k = static_cast<int>(gen() % 6); k > 0; --k)
      list.push_back(static_cast<std::int32_t>(gen() % static_cast<unsigned>(n)));
  }
  return WithLinks(n, similar);
}

// PageRank by power iteration straight from the definition: a product that
// lists nothing gives its rank to all products alike.
std::vector<double> PowerIteration(const Catalogue& c) {
  const std::size_t n = c.ProductTable.size();
  std::vector<std::set<std::int32_t>> out(n);
  for (std::size_t i = 0; i < n; ++i)
    for (const std::int32_t s : c.ProductTable[i].SimilarIndex)
      if (static_cast<std::size_t>(s) != i) out[i].insert(s);
  std::vector<double> rank(n, 1.0 / static_cast<double>(n));
  for (int round = 0; round < 1000; ++round) {
    double dangling = 0;
    for (std::size_t i = 0; i < n; ++i)
      if (out[i].empty()) dangling += rank[i];
    std::vector<double> next(
        n, ((1 - kPageRankDamping) + kPageRankDamping * dangling) / static_cast<double>(n));
    for (std::size_t i = 0; i < n; ++i)
      for (const std::int32_t s : out[i])
        next[static_cast<std::size_t>(s)] +=
            kPageRankDamping * rank[i] / static_cast<double>(out[i].size());
    rank = std::move(next);
  }
  return rank;
}

void ExpectDirectComputation(const Catalogue& c) {
  const GraphMeasures m = ComputeMeasures(LinksOf(c)).value();
  const std::vector<double> expected = PowerIteration(c);
  const std::size_t n = c.ProductTable.size();
  std::vector<std::int32_t> in(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const auto& list = c.ProductTable[i].SimilarIndex;
    std::set<std::int32_t> distinct(list.begin(), list.end());
    distinct.erase(static_cast<std::int32_t>(i));
    EXPECT_EQ(m.OutDegree[i], static_cast<std::int32_t>(distinct.size())) << i;
    for (const std::int32_t s : distinct) ++in[static_cast<std::size_t>(s)];
    EXPECT_NEAR(m.PageRank[i], expected[i], 1e-9) << i;
  }
  EXPECT_EQ(m.InDegree, in);
  EXPECT_NEAR(std::accumulate(m.PageRank.begin(), m.PageRank.end(), 0.0), 1.0, 1e-12);
}

TEST(GraphMeasures, DegreesAndPageRankMatchADirectComputation) {
  for (const std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    ExpectDirectComputation(RandomCatalogue(200, seed));
  }
}

// Groups, popular products and products listed but not held (which list nothing).
TEST(GraphMeasures, DegreesAndPageRankMatchADirectComputationOnAGroupedCatalogue) {
  ExpectDirectComputation(quillon::testing::LoadGroupedProducts(2000, 3).catalogue);
}

TEST(GraphMeasures, DuplicateAndSelfLinksCountOnce) {
  // 0 lists 1 twice and itself; 1 lists 0.
  const GraphMeasures m = ComputeMeasures(LinksOf(WithLinks(2, {{1, 1, 0}, {0}}))).value();
  EXPECT_EQ(m.OutDegree, (std::vector<std::int32_t>{1, 1}));
  EXPECT_EQ(m.InDegree, (std::vector<std::int32_t>{1, 1}));
  EXPECT_NEAR(m.PageRank[0], 0.5, 1e-12);
}

TEST(GraphMeasures, ComponentsAreNumberedLargestFirst) {
  // {0}, {1, 2} joined one way, {3, 4, 5} in a chain; 6 alone.
  const GraphMeasures m =
      ComputeMeasures(LinksOf(WithLinks(7, {{}, {2}, {}, {4}, {}, {4}, {}}))).value();
  EXPECT_EQ(m.Component, (std::vector<std::int32_t>{2, 1, 1, 0, 0, 0, 3}));
  EXPECT_EQ(m.componentSizes, (std::vector<std::int32_t>{3, 2, 1, 1}));
}

TEST(GraphMeasures, EdgeCases) {
  struct Row {
    const char* name;
    int products;
    std::vector<std::vector<std::int32_t>> similar;
  };
  for (const Row& row :
       {Row{"empty", 0, {}}, Row{"one product", 1, {{0}}}, Row{"no links", 3, {}}}) {
    SCOPED_TRACE(row.name);
    const GraphMeasures m = ComputeMeasures(LinksOf(WithLinks(row.products, row.similar))).value();
    ASSERT_EQ(m.size(), static_cast<std::size_t>(row.products));
    ASSERT_EQ(m.Community.size(), m.size());
    for (std::size_t i = 0; i < m.size(); ++i)
      EXPECT_DOUBLE_EQ(m.PageRank[i], 1.0 / static_cast<double>(row.products));
    EXPECT_EQ(m.communitySizes.size(), m.size());  // each product alone
    EXPECT_EQ(m.modularity, 0);
  }
}

TEST(GraphMeasures, PageRankIsTheSameToTheLastDigitAfterOtherComputations) {
  const Catalogue c = RandomCatalogue(50, 3);
  const std::vector<double> first = ComputeMeasures(LinksOf(c)).value().PageRank;
  ComputeMeasures(LinksOf(RandomCatalogue(80, 9)));  // moves igraph's random generator on
  EXPECT_EQ(ComputeMeasures(LinksOf(c)).value().PageRank, first);
}

TEST(GraphMeasures, CancelledBeforeAStepGivesNothing) {
  std::atomic<bool> cancel{true};
  MeasureOptions options;
  options.cancel = &cancel;
  EXPECT_FALSE(ComputeMeasures(LinksOf(RandomCatalogue(20, 1)), options).has_value());
}

TEST(GraphMeasures, ProgressNamesEveryStepInOrder) {
  std::vector<MeasureStep> steps;
  MeasureOptions options;
  options.onStep = [&steps](MeasureStep s) { steps.push_back(s); };
  ComputeMeasures(LinksOf(RandomCatalogue(20, 1)), options);
  EXPECT_EQ(steps, (std::vector<MeasureStep>{MeasureStep::Degrees, MeasureStep::PageRank,
                                             MeasureStep::Components, MeasureStep::Communities}));
}

TEST(NumberBySize, LargestFirstTiesByLowestMember) {
  std::vector<std::int32_t> groups{5, 2, 2, 5, 7, 7, 7};
  EXPECT_EQ(NumberBySize(groups), (std::vector<std::int32_t>{3, 2, 2}));
  EXPECT_EQ(groups, (std::vector<std::int32_t>{1, 2, 2, 1, 0, 0, 0}));
}

}  // namespace
}  // namespace quillon::grapher::analysis
