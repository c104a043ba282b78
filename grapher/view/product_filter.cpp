#include "grapher/view/product_filter.h"

#include <algorithm>
#include <charconv>

#include "grapher/view/neighbourhood.h"

namespace quillon::grapher {
namespace {

std::optional<std::int32_t> WholeNumber(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<IntRange> ParseRange(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto low = WholeNumber(text.substr(0, colon));
  const auto high = WholeNumber(text.substr(colon + 1));
  if (!low || !high || *low > *high) return std::nullopt;
  return IntRange{*low, *high};
}

std::vector<bool> ShownProducts(const ProductFilter& filter, const Catalogue& catalogue,
                                const KeyWordMembership& members,
                                const analysis::GraphMeasures* measures) {
  const auto& products = catalogue.ProductTable;
  const std::size_t n = products.size();
  std::vector<bool> shown(n, true);
  if (measures != nullptr && measures->size() != n) measures = nullptr;
  std::vector<bool> near;
  if (filter.around && *filter.around >= 0 && static_cast<std::size_t>(*filter.around) < n)
    near = MarkProducts(n, Neighbourhood(catalogue, *filter.around, filter.hops));
  for (std::size_t i = 0; i < n; ++i) {
    const Product& p = products[i];
    bool pass = true;
    if (!filter.keyWords.empty()) {
      pass = i < members.productCount() &&
             std::any_of(members.keyWordsOf(i).begin(), members.keyWordsOf(i).end(),
                         [&filter](std::int32_t k) {
                           return std::find(filter.keyWords.begin(), filter.keyWords.end(), k) !=
                                  filter.keyWords.end();
                         });
    }
    if (pass && filter.salesRank) pass = filter.salesRank->contains(p.SalesRank);
    if (pass && measures != nullptr) {
      if (filter.inDegree) pass = filter.inDegree->contains(measures->InDegree[i]);
      if (pass && filter.community) pass = measures->Community[i] == *filter.community;
      if (pass && filter.component) pass = measures->Component[i] == *filter.component;
    }
    if (pass && !near.empty()) pass = near[i];
    shown[i] = pass;
  }
  return shown;
}

}  // namespace quillon::grapher
