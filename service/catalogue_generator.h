// Synthetic catalogues for tests, demos and benchmarks: Japanese and Latin
// titles in several widths, power-law sales ranks, about five similar products
// each, some of them unknown to the catalogue. The same seed gives the same data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/expected.h"
#include "service/product_catalogue.h"

namespace quillon::service {

struct GeneratedCatalogue {
  std::vector<CatalogueProduct> products;  // product 0 is the suggested start
  std::vector<std::string> keywords;       // suggested keywords.txt lines
};

// Tree: product i lists products 2i+1 and 2i+2 plus a few random ones (some
// unknown). Chain: product i lists product i+1 only, the deepest possible walk.
// Groups: products on one subject that mostly list each other, with a few
// bridges between groups and a few products that very many list.
enum class CatalogueShape { Tree, Chain, Groups };

GeneratedCatalogue GenerateCatalogue(int count, std::uint64_t seed,
                                     CatalogueShape shape = CatalogueShape::Tree);

// The ASIN of product number index in every generated catalogue; numbers at or
// past the product count name products that no catalogue holds.
std::string GeneratedAsin(std::uint64_t index);

// Writes the catalogue as JSON Lines and, when keywordsPath is not empty, the
// keywords in the Windows-31J code page; each file replaced atomically.
Status WriteGeneratedCatalogue(const GeneratedCatalogue& generated, const std::string& path,
                               const std::string& keywordsPath);

}  // namespace quillon::service
