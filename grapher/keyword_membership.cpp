#include "keyword_membership.h"

#include "text_compare.h"

namespace quillon::grapher {

KeyWordMembership::KeyWordMembership(const Catalogue& catalogue)
    : products_(catalogue.KeyWordTable.size()), keyWords_(catalogue.ProductTable.size()) {
  const auto& products = catalogue.ProductTable;
  for (std::size_t k = 0; k < catalogue.KeyWordTable.size(); ++k) {
    const FoldedNeedle needle(catalogue.KeyWordTable[k].Text);
    for (std::size_t p = 0; p < products.size(); ++p) {
      if (!ContainsText(products[p].Title, needle)) continue;
      products_[k].push_back(static_cast<std::int32_t>(p));
      keyWords_[p].push_back(static_cast<std::int32_t>(k));
    }
  }
}

}  // namespace quillon::grapher
