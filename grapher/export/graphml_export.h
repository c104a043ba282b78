// The catalogue as a GraphML file for graph tools (Gephi, yEd, networkx).
#pragma once

#include <string>

#include "common/expected.h"
#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

// Products and keywords as nodes, similarity entries and keyword membership as
// directed edges; with measures, products carry InDegree, OutDegree, PageRank,
// Community and Component. Replaces the file atomically; a failure names file and reason.
Status WriteGraphMl(const Catalogue& catalogue, const std::string& path,
                    const analysis::GraphMeasures* measures = nullptr);

}  // namespace quillon::grapher
