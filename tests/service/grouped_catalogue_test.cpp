// What a grouped catalogue must show for layouts and community finders to be
// checked against it: true groups, subjects in titles, bridges, best sellers.
#include "service/grouped_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <numeric>
#include <unordered_map>

#include "common/text_compare.h"

namespace quillon::service {
namespace {

struct Links {
  std::size_t inGroup = 0;
  std::size_t total = 0;  // links to products of the catalogue
  std::vector<int> listed;
};

Links CountLinks(const GeneratedCatalogue& generated) {
  std::unordered_map<std::string, std::size_t> index;
  for (std::size_t i = 0; i < generated.products.size(); ++i) index[generated.products[i].asin] = i;
  Links links;
  links.listed.assign(generated.products.size(), 0);
  for (const auto& product : generated.products) {
    for (const auto& asin : product.similar) {
      const auto found = index.find(asin);
      if (found == index.end()) continue;
      ++links.total;
      ++links.listed[found->second];
      links.inGroup += generated.products[found->second].group == product.group;
    }
  }
  return links;
}

const GeneratedCatalogue& FiveThousand() {
  static const GeneratedCatalogue generated = GenerateGroupedCatalogue(5000, 4);
  return generated;
}

TEST(GroupedCatalogue, EveryProductHasAGroupAndGroupsVaryInSize) {
  std::map<std::int32_t, int> sizes;
  for (const auto& product : FiveThousand().products) {
    ASSERT_TRUE(product.group.has_value()) << product.asin;
    ++sizes[*product.group];
  }
  const auto [smallest, largest] = std::minmax_element(
      sizes.begin(), sizes.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  EXPECT_GE(sizes.size(), 20u);
  EXPECT_GE(smallest->second, 3);
  EXPECT_GE(largest->second, 3 * smallest->second);
}

TEST(GroupedCatalogue, MostLinksStayInsideTheGroupAndSomeBridgeGroups) {
  const Links links = CountLinks(FiveThousand());
  const double share = static_cast<double>(links.inGroup) / static_cast<double>(links.total);
  EXPECT_GT(share, 0.85);
  EXPECT_LT(share, 0.97);
}

TEST(GroupedCatalogue, NoListNamesAProductTwice) {
  for (const auto& product : FiveThousand().products) {
    std::vector<std::string> similar = product.similar;
    std::sort(similar.begin(), similar.end());
    EXPECT_EQ(std::adjacent_find(similar.begin(), similar.end()), similar.end()) << product.asin;
  }
}

TEST(GroupedCatalogue, TitlesOfAGroupCarryOneKeyword) {
  const auto& generated = FiveThousand();
  std::vector<FoldedNeedle> keywords(generated.keywords.begin(), generated.keywords.end());
  // For each group, how many titles contain each keyword.
  std::map<std::int32_t, std::vector<int>> hits;
  std::map<std::int32_t, int> sizes;
  for (const auto& product : generated.products) {
    auto& counts = hits[*product.group];
    counts.resize(keywords.size());
    ++sizes[*product.group];
    for (std::size_t k = 0; k < keywords.size(); ++k)
      counts[k] += ContainsText(product.title, keywords[k]);
  }
  int spellingsSeen = 0;
  for (const auto& [group, counts] : hits) {
    const int best = *std::max_element(counts.begin(), counts.end());
    EXPECT_GE(best, sizes[group] * 8 / 10) << "group " << group;
  }
  // The subject comes in the generator's varied spellings, not only the keyword's.
  for (const auto& product : generated.products)
    spellingsSeen += product.title.find("ＣＡＴ") != std::string::npos ||
                     product.title.find("ﾈｺ") != std::string::npos;
  EXPECT_GT(spellingsSeen, 20);
}

TEST(GroupedCatalogue, ListingIsHeavyTailedAndRanksFollowIt) {
  const auto& products = FiveThousand().products;
  const Links links = CountLinks(FiveThousand());
  std::vector<std::size_t> order(products.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return links.listed[a] > links.listed[b]; });
  const double mean = static_cast<double>(links.total) / static_cast<double>(products.size());
  EXPECT_GT(links.listed[order.front()], 15 * mean);
  std::size_t topPercent = 0;
  for (std::size_t k = 0; k < products.size() / 100; ++k) topPercent += links.listed[order[k]];
  EXPECT_GT(static_cast<double>(topPercent), 0.08 * static_cast<double>(links.total));

  // The most listed tenth sells better (smaller rank) than the least listed half.
  const auto meanRank = [&](std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t k = from; k < to; ++k)
      sum += static_cast<double>(*products[order[k]].salesRank);
    return sum / static_cast<double>(to - from);
  };
  EXPECT_LT(meanRank(0, products.size() / 10),
            0.5 * meanRank(products.size() / 2, products.size()));
}

TEST(GroupedCatalogue, ProductZeroReachesEveryProduct) {
  const auto& products = FiveThousand().products;
  std::unordered_map<std::string, std::size_t> index;
  for (std::size_t i = 0; i < products.size(); ++i) index[products[i].asin] = i;
  std::vector<bool> seen(products.size(), false);
  std::deque<std::size_t> queue{0};
  seen[0] = true;
  std::size_t reached = 0;
  for (; !queue.empty(); queue.pop_front(), ++reached) {
    for (const auto& asin : products[queue.front()].similar) {
      const auto found = index.find(asin);
      if (found == index.end() || seen[found->second]) continue;
      seen[found->second] = true;
      queue.push_back(found->second);
    }
  }
  EXPECT_EQ(reached, products.size());
}

TEST(GroupedCatalogue, SameSeedSameCatalogueAndTheGroupSurvivesTheFile) {
  const auto lines = [](int count, std::uint64_t seed) {
    std::string text;
    for (const auto& p : GenerateCatalogue(count, seed, CatalogueShape::Groups).products)
      text += CatalogueLine(p) + "\n";
    return text;
  };
  const std::string a = lines(400, 9);
  EXPECT_EQ(a, lines(400, 9));
  EXPECT_NE(a, lines(400, 10));
  const auto parsed = ProductCatalogue::Parse(a, "groups");
  ASSERT_TRUE(parsed) << parsed.error();
  const auto generated = GenerateGroupedCatalogue(400, 9);
  for (std::size_t i = 0; i < generated.products.size(); ++i)
    EXPECT_EQ(parsed.value().products()[i].group, generated.products[i].group);
  // The other shapes do not carry the field.
  EXPECT_EQ(lines(0, 9), "");
  EXPECT_EQ(CatalogueLine(GenerateCatalogue(3, 9).products[0]).find("group"), std::string::npos);
}

TEST(GroupedCatalogue, TinyCatalogues) {
  for (const int count : {0, 1, 2, 5}) {
    const auto generated = GenerateGroupedCatalogue(count, 1);
    EXPECT_EQ(generated.products.size(), static_cast<std::size_t>(count));
    for (const auto& product : generated.products)
      for (const auto& asin : product.similar) EXPECT_NE(asin, product.asin);
  }
}

TEST(GroupedCatalogue, AGroupThatIsNotANumberIsRefused) {
  for (const char* line : {R"({"asin":"B1","group":"a"})", R"({"asin":"B1","group":-1})",
                           R"({"asin":"B1","group":1.5})"}) {
    const auto parsed = ProductCatalogue::Parse(line, "bad");
    ASSERT_FALSE(parsed) << line;
    EXPECT_NE(parsed.error().find("\"group\""), std::string::npos) << parsed.error();
  }
}

}  // namespace
}  // namespace quillon::service
