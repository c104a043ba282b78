// The products a few links away from one product, following similar-product
// and referrer links in both directions.
#pragma once

#include <cstdint>
#include <vector>

#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

// The products whose similar-product list holds p, in table order: every
// referrer, including the one that first listed p (the table's ReferrerIndex
// leaves that one out, as the load records only links to products already known).
std::vector<std::int32_t> ProductsListing(const Catalogue& catalogue, std::int32_t p);

// Products within `hops` links of `start` (start included), in table order.
// start must be a valid index; hops < 0 counts as 0.
std::vector<std::int32_t> Neighbourhood(const Catalogue& catalogue, std::int32_t start, int hops);

// A mark per product of the table, set for the listed ones.
std::vector<bool> MarkProducts(std::size_t productCount, const std::vector<std::int32_t>& products);

// What a selection highlights: the product's similar products and the products listing it.
std::vector<bool> LinkedProducts(const Catalogue& catalogue, std::int32_t selected);

}  // namespace quillon::grapher
