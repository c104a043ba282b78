// The pieces both GraphML writers (similarity graph, keyword graph) share.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace quillon::grapher {

// The XML declaration and the opening graphml element with its namespaces.
void WriteGraphMlOpening(std::ostream& out);

// One <data> element of a node or edge, the value escaped.
void WriteGraphMlData(std::ostream& out, std::string_view key, std::string_view value);

// A position or weight with enough digits to give back every 32-bit float exactly.
std::string GraphMlNumber(double value);

}  // namespace quillon::grapher
