// The catalogue as a GraphML file for graph tools (Gephi, yEd, networkx).
#pragma once

#include <string>

#include "catalogue.h"
#include "expected.h"

namespace quillon::grapher {

// Products and keywords as nodes, similarity entries and keyword membership as
// directed edges. Replaces the file atomically; a failure names file and reason.
Status WriteGraphMl(const Catalogue& catalogue, const std::string& path);

}  // namespace quillon::grapher
