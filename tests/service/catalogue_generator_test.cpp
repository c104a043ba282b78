// Properties every generated catalogue must have for the crawl tests built on it.
#include "service/catalogue_generator.h"

#include <gtest/gtest.h>

#include <deque>
#include <regex>
#include <set>
#include <unordered_set>

#include "common/text_compare.h"

namespace quillon::service {
namespace {

// Whether the text holds a three-byte UTF-8 character in [low, high].
bool holds(const std::string& text, char32_t low, char32_t high) {
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if ((b0 & 0xF0) != 0xE0) continue;
    const char32_t c = ((b0 & 0x0F) << 12) |
                       ((static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6) |
                       (static_cast<unsigned char>(text[i + 2]) & 0x3F);
    if (c >= low && c <= high) return true;
  }
  return false;
}

TEST(CatalogueGenerator, MakesDistinctWellFormedAsinsAndVariedTitles) {
  const auto generated = GenerateCatalogue(2000, 3);
  ASSERT_EQ(generated.products.size(), 2000u);
  const std::regex asinForm("B0[0-9A-Z]{8}");
  std::set<std::string> asins;
  int fullWidth = 0, halfWidthKana = 0, latin = 0, unknownLinks = 0;
  std::size_t links = 0;
  for (const auto& product : generated.products) {
    EXPECT_TRUE(std::regex_match(product.asin, asinForm)) << product.asin;
    asins.insert(product.asin);
    fullWidth += holds(product.title, 0xFF21, 0xFF5A);
    halfWidthKana += holds(product.title, 0xFF61, 0xFF9F);
    latin += product.title.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos;
    ASSERT_TRUE(product.salesRank.has_value());
    EXPECT_GE(*product.salesRank, 1);
    links += product.similar.size();
  }
  EXPECT_EQ(asins.size(), 2000u);
  for (const auto& product : generated.products) {
    for (const auto& similar : product.similar) unknownLinks += asins.count(similar) == 0;
  }
  EXPECT_GT(fullWidth, 100);
  EXPECT_GT(halfWidthKana, 100);
  EXPECT_GT(latin, 100);
  EXPECT_GT(unknownLinks, 100);
  EXPECT_NEAR(static_cast<double>(links) / 2000, 5.0, 0.6);
}

TEST(CatalogueGenerator, RanksFollowAPowerLaw) {
  const auto generated = GenerateCatalogue(5000, 8);
  int top10 = 0, beyond1000 = 0;
  for (const auto& product : generated.products) {
    top10 += *product.salesRank <= 10;
    beyond1000 += *product.salesRank > 1000;
  }
  // Many best sellers and a long tail: neither is possible with uniform ranks.
  EXPECT_GT(top10, 2500);
  EXPECT_GT(beyond1000, 100);
}

TEST(CatalogueGenerator, KeywordCrawlFromTheFirstProductReachesMostOfIt) {
  const auto generated = GenerateCatalogue(2000, 11);
  std::vector<FoldedNeedle> keywords;
  for (const auto& keyword : generated.keywords) keywords.emplace_back(keyword);
  std::unordered_map<std::string, const CatalogueProduct*> byAsin;
  for (const auto& product : generated.products) byAsin[product.asin] = &product;

  std::deque<std::string> queue{generated.products.front().asin};
  std::unordered_set<std::string> seen{queue.front()};
  std::size_t known = 0;
  while (!queue.empty()) {
    const auto found = byAsin.find(queue.front());
    queue.pop_front();
    if (found == byAsin.end()) continue;
    ++known;
    bool follow = false;
    for (const auto& keyword : keywords)
      follow = follow || ContainsText(found->second->title, keyword);
    if (!follow) continue;
    for (const auto& similar : found->second->similar) {
      if (seen.insert(similar).second) queue.push_back(similar);
    }
  }
  EXPECT_GT(known, 1600u);
}

TEST(CatalogueGenerator, SameSeedSameCatalogue) {
  const auto a = GenerateCatalogue(300, 21);
  const auto b = GenerateCatalogue(300, 21);
  const auto c = GenerateCatalogue(300, 22);
  std::string textA, textB, textC;
  for (const auto& p : a.products) textA += CatalogueLine(p);
  for (const auto& p : b.products) textB += CatalogueLine(p);
  for (const auto& p : c.products) textC += CatalogueLine(p);
  EXPECT_EQ(textA, textB);
  EXPECT_NE(textA, textC);
  EXPECT_TRUE(GenerateCatalogue(0, 1).products.empty());
}

}  // namespace
}  // namespace quillon::service
