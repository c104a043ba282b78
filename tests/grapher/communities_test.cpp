// Communities found on networks whose groups are known: Zachary's karate club
// (the two factions it split into) and generated planted partitions.
#include <gtest/gtest.h>
#include <igraph.h>

#include <algorithm>
#include <iostream>
#include <random>

#include "grapher/analysis/graph_measures.h"
#include "grapher/analysis/igraph_handles.h"
#include "grapher/analysis/partition_agreement.h"
#include "tests/support/grouped_products.h"

namespace quillon::grapher::analysis {
namespace {

// The club as igraph ships it, members 0 to 33.
LinkStructure KarateClub() {
  IgraphSession session;
  igraph_t made;
  Check(igraph_famous(&made, "Zachary"), "igraph_famous");
  const Graph club = Graph::Adopt(made);
  IntVector edges;
  Check(igraph_get_edgelist(club.get(), edges.get(), false), "igraph_get_edgelist");
  LinkStructure links;
  links.productCount = static_cast<std::int32_t>(club.vertexCount());
  for (igraph_integer_t k = 0; k + 1 < edges.size(); k += 2) {
    links.from.push_back(static_cast<std::int32_t>(edges[k]));
    links.to.push_back(static_cast<std::int32_t>(edges[k + 1]));
  }
  return links;
}

// The faction each member joined after the split (Mr Hi's: 0, the officer's: 1).
const std::vector<std::int32_t> kKarateFactions{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0,
                                                0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

TEST(Communities, KarateClubSplitsAlongItsFactions) {
  const LinkStructure club = KarateClub();
  ASSERT_EQ(club.productCount, 34);
  const GraphMeasures m = ComputeMeasures(club).value();
  const double nmi = NormalisedMutualInformation(m.Community, kKarateFactions);
  std::cout << "karate club: " << m.communitySizes.size() << " communities, modularity "
            << m.modularity << " (factions " << Modularity(club, kKarateFactions) << "), NMI "
            << nmi << "\n";
  // The best known modularity of this network is 0.4198; the factions' own is 0.37.
  EXPECT_GT(m.modularity, 0.40);
  EXPECT_NEAR(m.modularity, Modularity(club, m.Community), 1e-12);
  // Finer groups than the two factions, but nested in them all but for a member or two.
  EXPECT_GT(nmi, 0.45);
  EXPECT_EQ(m.Community[0] == m.Community[33], false);
}

// g groups of `size` products; a link inside a group with chance pIn, across with pOut.
LinkStructure PlantedPartition(int g, int size, double pIn, double pOut, std::uint32_t seed,
                               std::vector<std::int32_t>& truth) {
  std::mt19937 gen(seed);
  std::bernoulli_distribution inside(pIn), across(pOut);
  Catalogue c;
  c.ProductTable.resize(static_cast<std::size_t>(g * size));
  truth.clear();
  for (int i = 0; i < g * size; ++i) truth.push_back(i / size);
  for (int i = 0; i < g * size; ++i)
    for (int j = 0; j < g * size; ++j)
      if (i != j &&
          (truth[static_cast<std::size_t>(i)] == truth[static_cast<std::size_t>(j)] ? inside(gen)
                                                                                    : across(gen)))
        c.ProductTable[static_cast<std::size_t>(i)].SimilarIndex.push_back(j);
  return LinksOf(c);
}

TEST(Communities, PlantedGroupsAreRecovered) {
  std::vector<std::int32_t> truth;
  const LinkStructure links = PlantedPartition(5, 40, 0.2, 0.005, 9, truth);
  const GraphMeasures m = ComputeMeasures(links).value();
  const double nmi = NormalisedMutualInformation(m.Community, truth);
  std::cout << "planted 5x40: modularity " << m.modularity << " (groups "
            << Modularity(links, truth) << "), NMI " << nmi << "\n";
  EXPECT_GT(nmi, 0.95);
  EXPECT_EQ(m.communitySizes.size(), 5u);
}

// A grouped generated catalogue: the groups the generator meant, over the
// products it holds (products only listed carry no group).
TEST(Communities, GeneratedGroupsAreRecovered) {
  const quillon::testing::GroupedProducts grouped = quillon::testing::LoadGroupedProducts(3000, 7);
  const LinkStructure links = LinksOf(grouped.catalogue);
  const GraphMeasures m = ComputeMeasures(links).value();
  std::vector<std::int32_t> found, truth, whole = grouped.groups;
  std::int32_t alone = *std::max_element(whole.begin(), whole.end()) + 1;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (whole[i] < 0) {
      whole[i] = alone++;
      continue;
    }
    found.push_back(m.Community[i]);
    truth.push_back(whole[i]);
  }
  const double nmi = NormalisedMutualInformation(found, truth);
  const double groupsModularity = Modularity(links, whole);
  std::cout << "grouped 3000: modularity " << m.modularity << " (groups " << groupsModularity
            << "), NMI " << nmi << "\n";
  EXPECT_GT(nmi, 0.95);
  // Modularity's optimum can only lie above the generated partition's, little above.
  EXPECT_GT(m.modularity, groupsModularity - 0.01);
  EXPECT_LT(m.modularity, groupsModularity + 0.05);
}

TEST(Communities, SameSeedSameGroups) {
  std::vector<std::int32_t> truth;
  const LinkStructure links = PlantedPartition(8, 30, 0.1, 0.02, 4, truth);
  MeasureOptions options;
  options.seed = 77;
  const GraphMeasures first = ComputeMeasures(links, options).value();
  const GraphMeasures second = ComputeMeasures(links, options).value();
  EXPECT_EQ(first.Community, second.Community);
}

TEST(PartitionAgreement, NamesDoNotMatterAndUnrelatedPartitionsScoreLow) {
  EXPECT_DOUBLE_EQ(NormalisedMutualInformation(std::vector<std::int32_t>{0, 0, 1, 1},
                                               std::vector<std::int32_t>{3, 3, 2, 2}),
                   1.0);
  EXPECT_NEAR(NormalisedMutualInformation(std::vector<std::int32_t>{0, 0, 1, 1},
                                          std::vector<std::int32_t>{0, 1, 0, 1}),
              0.0, 1e-12);
  EXPECT_THROW(
      NormalisedMutualInformation(std::vector<std::int32_t>{0}, std::vector<std::int32_t>{0, 1}),
      std::invalid_argument);
}

}  // namespace
}  // namespace quillon::grapher::analysis
