#include "grapher/view/product_finder.h"

namespace quillon::grapher {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

}  // namespace

ProductFinder::ProductFinder(const Catalogue& catalogue) {
  titles_.reserve(catalogue.ProductTable.size());
  asins_.reserve(catalogue.ProductTable.size());
  for (const Product& p : catalogue.ProductTable) {
    titles_.emplace_back(p.Title);
    asins_.push_back(FoldText(p.ASIN));
  }
}

std::vector<std::int32_t> ProductFinder::Find(std::string_view query) const {
  std::vector<std::int32_t> found;
  const std::string_view trimmed = TrimBlanks(query);
  if (trimmed.empty()) return found;
  const FoldedNeedle needle(trimmed);
  const std::string foldedQuery = FoldText(trimmed);
  for (std::size_t i = 0; i < titles_.size(); ++i) {
    if (asins_[i] == foldedQuery || ContainsText(titles_[i], needle))
      found.push_back(static_cast<std::int32_t>(i));
  }
  return found;
}

}  // namespace quillon::grapher
