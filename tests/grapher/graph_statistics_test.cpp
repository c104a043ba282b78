// The figures behind the statistics plots, on a catalogue small enough to
// work out by hand.
#include "grapher/statistics/graph_statistics.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillon::grapher::statistics {
namespace {

using ::testing::ElementsAre;

// Keywords カメラ, レンズ, 本 (no product). P0 カメラ rank 10 lists P1, P2; P1 レンズ
// rank 30 lists P2; P2 holds both, rank 20, lists P0 and P3; P3 レンズ with no
// known rank; P4 no record. Communities {P0, P1}, {P2, P3}, {P4}.
struct Sample {
  Sample() {
    for (const char* text : {"カメラ", "レンズ", "本"}) {
      catalogue.KeyWordTable.emplace_back();
      catalogue.KeyWordTable.back().Text = text;
    }
    const struct {
      const char* title;
      std::int32_t rank;
      std::vector<std::int32_t> similar;
    } rows[] = {{"カメラA", 10, {1, 2}},
                {"交換レンズB", 30, {2}},
                {"カメラレンズC", 20, {0, 3}},
                {"れんずD", 0, {}},
                {"", 0, {}}};
    for (const auto& row : rows) {
      Product p;
      p.Title = row.title;
      p.SalesRank = row.rank;
      p.SimilarIndex = row.similar;
      catalogue.ProductTable.push_back(p);
    }
    members = KeyWordMembership(catalogue);
    measures.InDegree = {1, 1, 2, 1, 0};
    measures.OutDegree = {2, 1, 2, 0, 0};
    measures.PageRank = {0.3, 0.2, 0.4, 0.1, 0.0};
    measures.Community = {0, 0, 1, 1, 2};
    measures.Component = {0, 0, 0, 0, 1};
    measures.communitySizes = {2, 2, 1};
    measures.componentSizes = {4, 1};
  }
  Catalogue catalogue;
  KeyWordMembership members;
  analysis::GraphMeasures measures;
};

TEST(GraphStatistics, DegreesLeaveZeroOutOfThePlotButCountIt) {
  const Sample s;
  const DegreeDistribution d = DegreeDistributionOf(s.measures);
  EXPECT_THAT(d.in, ElementsAre(DegreeCount{1, 3}, DegreeCount{2, 1}));
  EXPECT_THAT(d.out, ElementsAre(DegreeCount{1, 1}, DegreeCount{2, 2}));
  EXPECT_EQ(d.zeroIn, 1);
  EXPECT_EQ(d.zeroOut, 2);
}

TEST(GraphStatistics, RanksPerKeyWordKeepKnownRanksOnly) {
  const Sample s;
  const auto ranks = RanksPerKeyWord(s.catalogue, s.members);
  ASSERT_EQ(ranks.size(), 3u);
  EXPECT_THAT(ranks[0].ranks, ElementsAre(10, 20));
  EXPECT_EQ(ranks[0].minimum, 10);
  EXPECT_EQ(ranks[0].lowerQuartile, 12.5);
  EXPECT_EQ(ranks[0].median, 15);
  EXPECT_EQ(ranks[0].upperQuartile, 17.5);
  EXPECT_EQ(ranks[0].maximum, 20);
  EXPECT_THAT(ranks[1].ranks, ElementsAre(20, 30));  // れんずD's unknown rank left out
  EXPECT_TRUE(ranks[2].ranks.empty());
}

TEST(GraphStatistics, CommunitiesNameTheirLeadingKeyWordAndBestSeller) {
  const Sample s;
  const auto communities = CommunitiesOf(s.catalogue, s.members, s.measures);
  ASSERT_EQ(communities.size(), 3u);
  EXPECT_EQ(communities[0].size, 2);
  EXPECT_THAT(communities[0].leadingKeyWords, ElementsAre(0, 1));  // a tie: keyword order
  EXPECT_EQ(communities[0].bestRanked, 0);
  EXPECT_THAT(communities[1].leadingKeyWords, ElementsAre(1, 0));  // レンズ twice, カメラ once
  EXPECT_EQ(communities[1].bestRanked, 2);
  EXPECT_EQ(communities[2].leadingKeyWord(), -1);
  EXPECT_EQ(communities[2].bestRanked, -1);
  EXPECT_THAT(CommunitiesOf(s.catalogue, s.members, s.measures, 1)[1].leadingKeyWords,
              ElementsAre(1));
}

TEST(GraphStatistics, TopProductsByMeasureBreakTiesByTableOrder) {
  const Sample s;
  EXPECT_THAT(TopByPageRank(s.measures, 3), ElementsAre(2, 0, 1));
  EXPECT_THAT(TopByInDegree(s.measures, 3), ElementsAre(2, 0, 1));
  EXPECT_EQ(TopByInDegree(s.measures, 20).size(), 5u);
}

struct MixRow {
  const char* name;
  std::int32_t around;
  int hops;
  std::vector<std::int32_t> perKeyWord;
  std::int32_t without;
  std::int32_t products;
};

class KeyWordMixTest : public ::testing::TestWithParam<MixRow> {};

TEST_P(KeyWordMixTest, CountsTheKeyWordsWithinTheHops) {
  const Sample s;
  const MixRow& row = GetParam();
  const KeyWordMix mix = KeyWordMixAround(s.catalogue, s.members, row.around, row.hops);
  EXPECT_EQ(mix.perKeyWord, row.perKeyWord);
  EXPECT_EQ(mix.withoutKeyWord, row.without);
  EXPECT_EQ(mix.products, row.products);
}

INSTANTIATE_TEST_SUITE_P(Sample, KeyWordMixTest,
                         ::testing::Values(MixRow{"OneHopBothWays", 1, 1, {2, 2, 0}, 0, 3},
                                           MixRow{"ListedOnly", 3, 1, {1, 2, 0}, 0, 2},
                                           MixRow{"TwoHops", 1, 2, {2, 3, 0}, 0, 4},
                                           MixRow{"AloneWithoutKeyWord", 4, 1, {0, 0, 0}, 1, 1},
                                           MixRow{"NoProduct", -1, 1, {0, 0, 0}, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::grapher::statistics
