#include "tests/support/grouped_products.h"

#include <map>
#include <unordered_map>

#include "common/text_compare.h"
#include "service/catalogue_generator.h"

namespace quillon::testing {

GroupedProducts LoadGroupedProducts(int count, std::uint64_t seed) {
  const service::GeneratedCatalogue generated =
      service::GenerateCatalogue(count, seed, service::CatalogueShape::Groups);
  std::unordered_map<std::string, const service::CatalogueProduct*> byAsin;
  for (const auto& product : generated.products) byAsin[product.asin] = &product;

  GroupedProducts loaded;
  auto& table = loaded.catalogue.ProductTable;
  for (const auto& text : generated.keywords) {
    grapher::KeyWord keyWord;
    keyWord.Text = text;
    keyWord.Relation.assign(generated.keywords.size(), 0);
    loaded.catalogue.KeyWordTable.push_back(std::move(keyWord));
  }
  if (generated.products.empty()) return loaded;
  std::unordered_map<std::string, std::int32_t> index;
  const auto add = [&](const std::string& asin) {
    index.emplace(asin, static_cast<std::int32_t>(table.size()));
    table.push_back({});
    table.back().ASIN = asin;
    loaded.groups.push_back(-1);
  };
  add(generated.products.front().asin);
  for (std::size_t current = 0; current < table.size(); ++current) {
    const auto found = byAsin.find(table[current].ASIN);
    if (found == byAsin.end()) continue;
    const service::CatalogueProduct& source = *found->second;
    table[current].Title = source.title;
    table[current].SalesRank = static_cast<std::int32_t>(source.salesRank.value_or(0));
    loaded.groups[current] = source.group.value_or(-1);
    const auto& keyWords = loaded.catalogue.KeyWordTable;
    for (std::size_t k = 0; k < keyWords.size(); ++k) {
      if (ContainsText(source.title, keyWords[k].Text)) {
        table[current].KeyWordIndex = static_cast<std::int32_t>(k);
        break;
      }
    }
    for (const auto& asin : source.similar) {
      const auto known = index.find(asin);
      std::int32_t target = 0;
      if (known == index.end()) {
        target = static_cast<std::int32_t>(table.size());
        add(asin);
      } else {
        target = known->second;
        table[static_cast<std::size_t>(target)].ReferrerASIN.push_back(table[current].ASIN);
        table[static_cast<std::size_t>(target)].ReferrerIndex.push_back(
            static_cast<std::int32_t>(current));
      }
      table[current].SimilarASIN.push_back(asin);
      table[current].SimilarIndex.push_back(target);
    }
  }
  return loaded;
}

const GroupedProducts& KeptGroupedProducts(int count) {
  static std::map<int, GroupedProducts> kept;
  auto found = kept.find(count);
  if (found == kept.end()) found = kept.emplace(count, LoadGroupedProducts(count, 1)).first;
  return found->second;
}

}  // namespace quillon::testing
