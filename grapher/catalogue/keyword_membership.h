// Which products belong to which keyword: the products whose title contains the
// keyword's text. Titles do not change during a drawing, so this is computed
// once per drawing instead of once per pass.
#pragma once

#include <cstdint>
#include <vector>

#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

class KeyWordMembership {
 public:
  KeyWordMembership() = default;
  explicit KeyWordMembership(const Catalogue& catalogue);

  // Indices of the products that belong to keyword k, in table order.
  const std::vector<std::int32_t>& productsOf(std::size_t k) const { return products_[k]; }
  // Indices of the keywords that product p belongs to, in table order.
  const std::vector<std::int32_t>& keyWordsOf(std::size_t p) const { return keyWords_[p]; }
  std::size_t keyWordCount() const { return products_.size(); }
  std::size_t productCount() const { return keyWords_.size(); }

 private:
  std::vector<std::vector<std::int32_t>> products_;
  std::vector<std::vector<std::int32_t>> keyWords_;
};

}  // namespace quillon::grapher
