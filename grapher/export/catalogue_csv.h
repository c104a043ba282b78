// One row per product with its measures, for spreadsheets: UTF-8, fields
// quoted as RFC 4180 says, CRLF line ends.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "common/expected.h"
#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

inline constexpr std::string_view kCsvHeader =
    "ASIN,Title,SalesRank,KeyWord,InDegree,OutDegree,PageRank,Community,Component";

// measures holds a value per product. With shown (a mark per product), only
// the marked products are written.
void WriteCatalogueCsv(std::ostream& out, const Catalogue& catalogue,
                       const analysis::GraphMeasures& measures,
                       const std::vector<bool>* shown = nullptr);

// Only the given products, in the given order (indices of ProductTable).
void WriteCatalogueCsv(std::ostream& out, const Catalogue& catalogue,
                       const analysis::GraphMeasures& measures, std::span<const std::int32_t> rows);

// Replaces the file atomically; a failure names the file and the reason.
Status WriteCatalogueCsv(const Catalogue& catalogue, const analysis::GraphMeasures& measures,
                         const std::string& path, const std::vector<bool>* shown = nullptr);
Status WriteCatalogueCsv(const Catalogue& catalogue, const analysis::GraphMeasures& measures,
                         const std::string& path, std::span<const std::int32_t> rows);

}  // namespace quillon::grapher
