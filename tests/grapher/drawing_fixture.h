// What the drawing tests share: a catalogue, layout settings, directions with a
// fixed seed, a fake host, a fake clock, a recording surface and a real
// settings file in a temporary folder.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/random_source.h"
#include "common/text_compare.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/commands/keyword_graph.h"
#include "grapher/commands/similarity_graph.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement_directions.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_folder.h"

namespace quillon::grapher::testing {

using quillon::testing::FakeHost;
using quillon::testing::TempFolder;

inline constexpr std::uint32_t kSeed = 20240601;

struct Drawing {
  // `settingLines` go to setting.ini; the drawing commands read them, the
  // phases take `settings` (all 0 until a test sets or reads them).
  explicit Drawing(std::string settingLines = "", float width = 400, float height = 300)
      : surface(width, height), directions(RandomSource(kSeed)) {
    if (!settingLines.empty()) folder.write("setting.ini", "[DefaultSetting]\r\n" + settingLines);
  }

  Catalogue& catalogue() { return catalogue_; }
  std::vector<Product>& products() { return catalogue_.ProductTable; }
  std::vector<KeyWord>& keyWords() { return catalogue_.KeyWordTable; }
  Product& product(std::size_t i) { return catalogue_.ProductTable.at(i); }
  KeyWord& keyWord(std::size_t k) { return catalogue_.KeyWordTable.at(k); }

  void drawSimilarityGraph() {
    DrawSimilarityGraph(folder.path(), catalogue_, directions, surface, host, clock);
  }
  Status drawKeyWordGraph() {
    return DrawKeyWordGraph(folder.path(), catalogue_, directions, surface, host);
  }

  TempFolder folder;
  FakeHost host;
  quillon::testing::FakeClock clock;
  RecordingSurface surface;
  LayoutSettings settings;
  PlacementDirections directions;

 private:
  Catalogue catalogue_;
};

// Appends a product with a title, a rank and its similar products; referrer
// lists are filled by Link().
inline void AddProduct(Catalogue& catalogue, std::string title, std::int32_t rank = 1,
                       std::vector<std::int32_t> similar = {}) {
  Product p;
  p.ASIN = std::string("A").append(std::to_string(catalogue.ProductTable.size()));
  p.Title = std::move(title);
  p.SalesRank = rank;
  p.SimilarIndex = std::move(similar);
  catalogue.ProductTable.push_back(std::move(p));
}

inline void AddKeyWords(Catalogue& catalogue, std::initializer_list<const char*> texts) {
  for (const char* text : texts) {
    KeyWord k;
    k.Text = text;
    catalogue.KeyWordTable.push_back(std::move(k));
  }
  for (KeyWord& k : catalogue.KeyWordTable) k.Relation.assign(catalogue.KeyWordTable.size(), 0);
}

// Fills SimilarASIN, the referrer lists and KeyWordIndex as a load would, the
// table taken as the order of discovery: the product whose entry first names
// a product (product 0 is named by none) is not its referrer; every later
// entry naming it is.
inline void Link(Catalogue& catalogue) {
  auto& products = catalogue.ProductTable;
  for (Product& p : products) {
    p.ReferrerIndex.clear();
    p.ReferrerASIN.clear();
    p.KeyWordIndex = -1;
    for (std::size_t k = 0; k < catalogue.KeyWordTable.size(); ++k) {
      if (ContainsText(p.Title, catalogue.KeyWordTable[k].Text)) {
        p.KeyWordIndex = static_cast<std::int32_t>(k);
        break;
      }
    }
  }
  std::vector<bool> named(products.size(), false);
  if (!named.empty()) named[0] = true;
  for (std::size_t i = 0; i < products.size(); ++i) {
    products[i].SimilarASIN.clear();
    for (const std::int32_t s : products[i].SimilarIndex) {
      products[i].SimilarASIN.push_back(products[s].ASIN);
      if (!named[s]) {
        named[s] = true;
        continue;
      }
      products[s].ReferrerIndex.push_back(static_cast<std::int32_t>(i));
      products[s].ReferrerASIN.push_back(products[i].ASIN);
    }
  }
}

}  // namespace quillon::grapher::testing
