#include "grapher/view/neighbourhood.h"

#include <algorithm>

namespace quillon::grapher {
namespace {

bool Valid(std::int32_t p, std::size_t count) {
  return p >= 0 && static_cast<std::size_t>(p) < count;
}

// Who lists whom, reversed: for each product the products listing it.
struct ListedBy {
  explicit ListedBy(const std::vector<Product>& products) : start(products.size() + 1, 0) {
    const std::size_t n = products.size();
    for (const Product& p : products)
      for (const std::int32_t s : p.SimilarIndex)
        if (Valid(s, n)) ++start[static_cast<std::size_t>(s) + 1];
    for (std::size_t i = 1; i <= n; ++i) start[i] += start[i - 1];
    listing.resize(start[n]);
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < n; ++i)
      for (const std::int32_t s : products[i].SimilarIndex)
        if (Valid(s, n))
          listing[next[static_cast<std::size_t>(s)]++] = static_cast<std::int32_t>(i);
  }
  std::vector<std::size_t> start;
  std::vector<std::int32_t> listing;
};

}  // namespace

std::vector<std::int32_t> ProductsListing(const Catalogue& catalogue, std::int32_t p) {
  std::vector<std::int32_t> found;
  for (std::size_t i = 0; i < catalogue.ProductTable.size(); ++i) {
    const auto& similar = catalogue.ProductTable[i].SimilarIndex;
    if (std::find(similar.begin(), similar.end(), p) != similar.end())
      found.push_back(static_cast<std::int32_t>(i));
  }
  return found;
}

std::vector<std::int32_t> Neighbourhood(const Catalogue& catalogue, std::int32_t start, int hops) {
  const auto& products = catalogue.ProductTable;
  const std::size_t n = products.size();
  std::vector<bool> seen(n, false);
  std::vector<std::int32_t> found{start};
  seen[static_cast<std::size_t>(start)] = true;
  if (hops <= 0) return found;
  const ListedBy listedBy(products);
  const auto visit = [&](std::int32_t q) {
    if (!Valid(q, n) || seen[static_cast<std::size_t>(q)]) return;
    seen[static_cast<std::size_t>(q)] = true;
    found.push_back(q);
  };
  // Breadth first, one ring of products per hop.
  std::size_t ringBegin = 0;
  for (int hop = 0; hop < hops && ringBegin < found.size(); ++hop) {
    const std::size_t ringEnd = found.size();
    for (std::size_t k = ringBegin; k < ringEnd; ++k) {
      const auto p = static_cast<std::size_t>(found[k]);
      for (const std::int32_t q : products[p].SimilarIndex) visit(q);
      for (const std::int32_t q : products[p].ReferrerIndex) visit(q);
      for (std::size_t r = listedBy.start[p]; r < listedBy.start[p + 1]; ++r)
        visit(listedBy.listing[r]);
    }
    ringBegin = ringEnd;
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<bool> MarkProducts(std::size_t productCount,
                               const std::vector<std::int32_t>& products) {
  std::vector<bool> marks(productCount, false);
  for (const std::int32_t p : products)
    if (Valid(p, productCount)) marks[static_cast<std::size_t>(p)] = true;
  return marks;
}

std::vector<bool> LinkedProducts(const Catalogue& catalogue, std::int32_t selected) {
  std::vector<bool> marks =
      MarkProducts(catalogue.ProductTable.size(), Neighbourhood(catalogue, selected, 1));
  marks[static_cast<std::size_t>(selected)] = false;
  return marks;
}

}  // namespace quillon::grapher
