// The report as one HTML page: counts, the top products, the communities and
// the plots inline, so that it opens in a browser with no other file. Written
// as well-formed XML (XHTML syntax) so that any XML reader can check it.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/keyword_membership.h"

namespace quillon::grapher::statistics {

inline constexpr std::size_t kReportTopCount = 20;

struct ReportPlot {
  std::string file;  // the SVG file written beside the page
  std::string svg;   // its document
};

struct ReportInput {
  const Catalogue& catalogue;
  const KeyWordMembership& members;
  const analysis::GraphMeasures& measures;
  std::vector<ReportPlot> plots;
  // A fixed text in the reader's language.
  std::function<std::string(std::string_view)> translate;
};

void WriteReportPage(std::ostream& out, const ReportInput& input);

// An SVG document as an element to put inside HTML: the XML declaration and
// anything else before the svg element left out, and its ids prefixed, so
// that the plots of one page never share an id.
std::string InlineSvg(std::string_view document, std::string_view idPrefix);

}  // namespace quillon::grapher::statistics
