// The keyword relation graph as a GraphML file for graph tools.
#pragma once

#include <string>

#include "common/expected.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

// Every keyword as a node with its text, position and whether the keyword
// graph placed it; every positive relation weight as a directed edge from k to
// m with that weight. Replaces the file atomically; a failure names file and reason.
Status WriteKeyWordGraphMl(const Catalogue& catalogue, const std::string& path);

}  // namespace quillon::grapher
