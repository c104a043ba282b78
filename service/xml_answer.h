// The XML texts the service answers with: one line each (unless a title holds a
// line break), the product's own Title always before its SimilarProducts.
#pragma once

#include <string>
#include <string_view>

#include "service/product_catalogue.h"

namespace quillon::service {

// Escapes the five XML special characters; every other byte passes unchanged.
std::string EscapeXml(std::string_view text);

// The answer for a known product; valid=false marks the request invalid.
std::string ProductAnswer(const ProductCatalogue& catalogue, const CatalogueProduct& product,
                          bool valid = true);

// The answer for an ASIN the catalogue does not hold: a valid request with an
// error element and no Title.
std::string UnknownProductAnswer(std::string_view asin, bool valid = true);

// The HTML page of a 404 answer.
std::string NotFoundPage(std::string_view path);

// The HTML page of a busy answer (429 or 503).
std::string BusyPage(int status);

}  // namespace quillon::service
