// The catalogue as a GraphML file for graph tools (Gephi, yEd, networkx).
#pragma once

#include <string>

#include "common/expected.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

// Products and keywords as nodes, similarity entries and keyword membership as
// directed edges. Replaces the file atomically; a failure names file and reason.
Status WriteGraphMl(const Catalogue& catalogue, const std::string& path);

}  // namespace quillon::grapher
