#include "grapher/statistics/report_page.h"

#include <initializer_list>
#include <numeric>

#include "common/numbers.h"
#include "common/texts.h"
#include "grapher/export/xml_escape.h"
#include "grapher/statistics/graph_statistics.h"
#include "grapher/statistics/statistics_texts.h"

namespace quillon::grapher::statistics {
namespace {

namespace texts = statistics_texts;

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:2em;max-width:72em}"
    "table{border-collapse:collapse;margin-bottom:1.5em}"
    "th,td{border:1px solid #bbb;padding:2px 8px;text-align:left}"
    "td.n{text-align:right}figure{margin:1em 0}";

class Page {
 public:
  Page(std::ostream& out, const ReportInput& input) : out_(out), in_(input) {}

  std::string text(std::string_view source) const { return XmlEscape(in_.translate(source)); }

  void heading(int level, const std::string& escaped) {
    out_ << "<h" << level << '>' << escaped << "</h" << level << ">\n";
  }
  void row(std::initializer_list<std::string> cells, bool head = false) {
    out_ << "<tr>";
    for (const std::string& cell : cells) {
      const bool number =
          !head && !cell.empty() && cell.find_first_not_of("0123456789.e-+") == std::string::npos;
      out_ << (head     ? "<th>"
               : number ? "<td class=\"n\">"
                        : "<td>")
           << cell << (head ? "</th>" : "</td>");
    }
    out_ << "</tr>\n";
  }

  std::string title(std::int32_t p) const {
    const std::string& title = product(p).Title;
    return title.empty() ? text(texts::kUntitled) : XmlEscape(title);
  }
  std::string rank(std::int32_t p) const {
    const std::int32_t rank = product(p).SalesRank;
    return rank > 0 ? std::to_string(rank) : text(texts::kUnknownRank);
  }
  std::string keyWord(std::int32_t k) const {
    return XmlEscape(in_.catalogue.KeyWordTable[static_cast<std::size_t>(k)].Text);
  }
  const Product& product(std::int32_t p) const {
    return in_.catalogue.ProductTable[static_cast<std::size_t>(p)];
  }

  void counts() {
    const analysis::GraphMeasures& m = in_.measures;
    heading(2, text(texts::kCounts));
    out_ << "<table id=\"counts\">\n";
    row({text(texts::kProducts), std::to_string(in_.catalogue.ProductTable.size())});
    // Each distinct link once, at the product that lists it.
    const std::int64_t links =
        std::accumulate(m.OutDegree.begin(), m.OutDegree.end(), std::int64_t{0});
    row({text(texts::kLinks), std::to_string(links)});
    row({text(texts::kKeyWords), std::to_string(in_.catalogue.KeyWordTable.size())});
    row({text(texts::kCommunities), std::to_string(m.communitySizes.size())});
    row({text(texts::kComponents), std::to_string(m.componentSizes.size())});
    row({text(texts::kModularity), ShortestText(m.modularity)});
    out_ << "</table>\n";
  }

  void top(const char* id, const char* caption, const std::vector<std::int32_t>& products) {
    const analysis::GraphMeasures& m = in_.measures;
    heading(2, FillText(text(caption), {std::to_string(kReportTopCount)}));
    out_ << "<table id=\"" << id << "\">\n";
    row({text(texts::kRankColumn), "ASIN", text(texts::kTitleColumn), text(texts::kSalesRankColumn),
         "PageRank", text(texts::kInDegreeSeries)},
        true);
    int place = 0;
    for (const std::int32_t p : products) {
      const auto i = static_cast<std::size_t>(p);
      row({std::to_string(++place), XmlEscape(product(p).ASIN), title(p), rank(p),
           ShortestText(m.PageRank[i]), std::to_string(m.InDegree[i])});
    }
    out_ << "</table>\n";
  }

  void communities() {
    heading(2, text(texts::kCommunityTable));
    out_ << "<table id=\"communities\">\n";
    row({text(texts::kCommunityColumn), text(texts::kSizeColumn),
         text(texts::kLeadingKeyWordsColumn), text(texts::kBestRankedColumn)},
        true);
    const auto summaries = CommunitiesOf(in_.catalogue, in_.members, in_.measures);
    for (std::size_t c = 0; c < summaries.size(); ++c) {
      const CommunitySummary& s = summaries[c];
      std::string keyWords;
      for (const std::int32_t k : s.leadingKeyWords)
        keyWords += (keyWords.empty() ? "" : ", ") + keyWord(k);
      const std::string best = s.bestRanked < 0
                                   ? ""
                                   : XmlEscape(product(s.bestRanked).ASIN) + " " +
                                         title(s.bestRanked) + " (" + rank(s.bestRanked) + ")";
      row({std::to_string(c), std::to_string(s.size),
           keyWords.empty() ? text(texts::kNone) : keyWords,
           best.empty() ? text(texts::kNone) : best});
    }
    out_ << "</table>\n";
  }

  void plots() {
    heading(2, text(texts::kPlots));
    for (std::size_t i = 0; i < in_.plots.size(); ++i)
      out_ << "<figure>" << InlineSvg(in_.plots[i].svg, "plot" + std::to_string(i) + "-")
           << "<figcaption>" << XmlEscape(in_.plots[i].file) << "</figcaption></figure>\n";
  }

  void write() {
    const std::string title = text(texts::kReportTitle);
    out_ << "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n"
         << "<meta charset=\"utf-8\"/>\n<title>" << title << "</title>\n<style>" << kStyle
         << "</style>\n</head>\n<body>\n";
    heading(1, title);
    counts();
    top("top-pagerank", texts::kTopPageRank, TopByPageRank(in_.measures, kReportTopCount));
    top("top-indegree", texts::kTopInDegree, TopByInDegree(in_.measures, kReportTopCount));
    communities();
    plots();
    out_ << "</body>\n</html>\n";
  }

 private:
  std::ostream& out_;
  const ReportInput& in_;
};

}  // namespace

std::string InlineSvg(std::string_view document, std::string_view idPrefix) {
  const std::size_t start = document.find("<svg");
  if (start == std::string_view::npos) return {};
  std::string svg(document.substr(start));
  for (const std::string_view mark : {"id=\"", "url(#", "href=\"#"}) {
    for (std::size_t at = svg.find(mark); at != std::string::npos;
         at = svg.find(mark, at + mark.size() + idPrefix.size()))
      svg.insert(at + mark.size(), idPrefix);
  }
  return svg;
}

void WriteReportPage(std::ostream& out, const ReportInput& input) {
  Page(out, input).write();
}

}  // namespace quillon::grapher::statistics
