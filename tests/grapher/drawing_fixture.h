// What the drawing tests share: a context over a fake host, a fake clock, a
// recording surface, a fixed seed and a real settings file in a temporary folder.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/random_source.h"
#include "common/text_compare.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/commands/context.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_folder.h"

namespace quillon::grapher::testing {

using quillon::testing::FakeHost;
using quillon::testing::TempFolder;

inline constexpr std::uint32_t kSeed = 20240601;

struct Drawing {
  explicit Drawing(std::string settings = "", float width = 400, float height = 300)
      : surface(width, height), ctx(folder.path(), host, surface, clock, RandomSource(kSeed)) {
    if (!settings.empty()) folder.write("setting.ini", "[DefaultSetting]\r\n" + settings);
  }

  Catalogue& catalogue() { return ctx.catalogue; }
  Product& product(std::size_t i) { return ctx.catalogue.ProductTable.at(i); }
  KeyWord& keyWord(std::size_t k) { return ctx.catalogue.KeyWordTable.at(k); }

  TempFolder folder;
  FakeHost host;
  quillon::testing::FakeClock clock;
  RecordingSurface surface;
  Context ctx;
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

// Fills SimilarASIN, the referrer lists and KeyWordIndex as a load would
// (every lister becomes a referrer, which is all the layout needs).
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
  for (std::size_t i = 0; i < products.size(); ++i) {
    products[i].SimilarASIN.clear();
    for (const std::int32_t s : products[i].SimilarIndex) {
      products[i].SimilarASIN.push_back(products[s].ASIN);
      products[s].ReferrerIndex.push_back(static_cast<std::int32_t>(i));
      products[s].ReferrerASIN.push_back(products[i].ASIN);
    }
  }
}

}  // namespace quillon::grapher::testing
