#include "grapher/catalogue/keyword_membership.h"

#include "common/text_compare.h"

namespace quillon::grapher {

KeyWordMembership::KeyWordMembership(const Catalogue& catalogue)
    : products_(catalogue.KeyWordTable.size()), keyWords_(catalogue.ProductTable.size()) {
  const auto& products = catalogue.ProductTable;
  std::vector<FoldedText> titles;
  titles.reserve(products.size());
  for (const Product& p : products) titles.emplace_back(p.Title);

  for (std::size_t k = 0; k < catalogue.KeyWordTable.size(); ++k) {
    const FoldedNeedle keyword(catalogue.KeyWordTable[k].Text);
    for (std::size_t p = 0; p < products.size(); ++p) {
      if (!ContainsText(titles[p], keyword)) continue;
      products_[k].push_back(static_cast<std::int32_t>(p));
      keyWords_[p].push_back(static_cast<std::int32_t>(k));
    }
  }
}

}  // namespace quillon::grapher
