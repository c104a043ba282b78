// Finding products by ASIN or part of the title, with the comparison the
// keywords use (case, width and kana ignored). Texts are folded once per load.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/text_compare.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

class ProductFinder {
 public:
  ProductFinder() = default;
  explicit ProductFinder(const Catalogue& catalogue);

  // Products whose ASIN equals the query or whose title contains it, in table
  // order; blanks around the query are ignored and a blank query finds nothing.
  std::vector<std::int32_t> Find(std::string_view query) const;
  std::size_t size() const { return titles_.size(); }

 private:
  std::vector<FoldedText> titles_;
  std::vector<std::string> asins_;  // folded
};

}  // namespace quillon::grapher
