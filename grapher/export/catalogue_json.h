// The catalogue as JSON: {"products": [...], "keywords": [...]}, each element an
// object keyed by the member names of Product and KeyWord, and the measures.
#pragma once

#include <string>

#include "common/expected.h"
#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

// With measures (one per product), each product also has InDegree, OutDegree,
// PageRank, Community and Component.
std::string CatalogueToJson(const Catalogue& catalogue,
                            const analysis::GraphMeasures* measures = nullptr);

// Replaces the file atomically; a failure names the file and the reason.
Status WriteCatalogueJson(const Catalogue& catalogue, const std::string& path,
                          const analysis::GraphMeasures* measures = nullptr);

}  // namespace quillon::grapher
