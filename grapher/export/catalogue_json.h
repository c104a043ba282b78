// The catalogue as JSON: {"products": [...], "keywords": [...]}, each element an
// object keyed by the member names of Product and KeyWord.
#pragma once

#include <string>

#include "common/expected.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

std::string CatalogueToJson(const Catalogue& catalogue);

// Replaces the file atomically; a failure names the file and the reason.
Status WriteCatalogueJson(const Catalogue& catalogue, const std::string& path);

}  // namespace quillon::grapher
