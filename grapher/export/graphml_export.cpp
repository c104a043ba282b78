#include "grapher/export/graphml_export.h"

#include <string_view>

#include "common/atomic_file.h"
#include "common/numbers.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/export/graphml_parts.h"

namespace quillon::grapher {
namespace {

void Data(std::ostream& out, std::string_view key, std::string_view value) {
  WriteGraphMlData(out, key, value);
}

void Data(std::ostream& out, std::string_view key, double value) {
  WriteGraphMlData(out, key, GraphMlNumber(value));
}

// The measures' keys, named as in the CSV and JSON files.
void MeasureKeys(std::ostream& out) {
  for (const char* name : {"InDegree", "OutDegree", "Community", "Component"})
    out << "  <key id=\"" << name << "\" for=\"node\" attr.name=\"" << name
        << "\" attr.type=\"int\"/>\n";
  out << "  <key id=\"PageRank\" for=\"node\" attr.name=\"PageRank\" attr.type=\"double\"/>\n";
}

void MeasureData(std::ostream& out, const analysis::GraphMeasures& m, std::size_t i) {
  Data(out, "InDegree", std::to_string(m.InDegree[i]));
  Data(out, "OutDegree", std::to_string(m.OutDegree[i]));
  Data(out, "PageRank", ShortestText(m.PageRank[i]));
  Data(out, "Community", std::to_string(m.Community[i]));
  Data(out, "Component", std::to_string(m.Component[i]));
}

void WriteDocument(std::ostream& out, const Catalogue& catalogue,
                   const analysis::GraphMeasures* measures) {
  const bool measured = measures != nullptr && measures->size() == catalogue.ProductTable.size();
  WriteGraphMlOpening(out);
  out << "  <key id=\"kind\" for=\"node\" attr.name=\"kind\" attr.type=\"string\"/>\n"
         "  <key id=\"label\" for=\"node\" attr.name=\"label\" attr.type=\"string\"/>\n"
         "  <key id=\"asin\" for=\"node\" attr.name=\"asin\" attr.type=\"string\"/>\n"
         "  <key id=\"title\" for=\"node\" attr.name=\"title\" attr.type=\"string\"/>\n"
         "  <key id=\"salesRank\" for=\"node\" attr.name=\"salesRank\" attr.type=\"int\"/>\n"
         "  <key id=\"keyword\" for=\"node\" attr.name=\"keyword\" attr.type=\"string\"/>\n"
         "  <key id=\"x\" for=\"node\" attr.name=\"x\" attr.type=\"double\"/>\n"
         "  <key id=\"y\" for=\"node\" attr.name=\"y\" attr.type=\"double\"/>\n"
         "  <key id=\"relation\" for=\"edge\" attr.name=\"relation\" attr.type=\"string\"/>\n";
  if (measured) MeasureKeys(out);
  out << "  <graph id=\"catalogue\" edgedefault=\"directed\">\n";
  const auto& products = catalogue.ProductTable;
  const auto& keyWords = catalogue.KeyWordTable;
  for (std::size_t i = 0; i < products.size(); ++i) {
    const Product& p = products[i];
    const bool hasKeyWord =
        p.KeyWordIndex >= 0 && static_cast<std::size_t>(p.KeyWordIndex) < keyWords.size();
    out << "    <node id=\"p" << i << "\">\n";
    Data(out, "kind", "product");
    Data(out, "label", p.Title.empty() ? p.ASIN : p.Title);
    Data(out, "asin", p.ASIN);
    Data(out, "title", p.Title);
    Data(out, "salesRank", std::to_string(p.SalesRank));
    Data(out, "keyword", hasKeyWord ? std::string_view(keyWords[p.KeyWordIndex].Text) : "");
    Data(out, "x", p.X);
    Data(out, "y", p.Y);
    if (measured) MeasureData(out, *measures, i);
    out << "    </node>\n";
  }
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    out << "    <node id=\"k" << k << "\">\n";
    Data(out, "kind", "keyword");
    Data(out, "label", keyWords[k].Text);
    Data(out, "keyword", keyWords[k].Text);
    Data(out, "x", keyWords[k].X);
    Data(out, "y", keyWords[k].Y);
    out << "    </node>\n";
  }
  std::size_t edge = 0;
  for (std::size_t i = 0; i < products.size(); ++i) {
    for (const std::int32_t s : products[i].SimilarIndex) {
      out << "    <edge id=\"e" << edge++ << "\" source=\"p" << i << "\" target=\"p" << s
          << "\">\n";
      Data(out, "relation", "similar");
      out << "    </edge>\n";
    }
  }
  const KeyWordMembership members(catalogue);
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    for (const std::int32_t p : members.productsOf(k)) {
      out << "    <edge id=\"e" << edge++ << "\" source=\"k" << k << "\" target=\"p" << p
          << "\">\n";
      Data(out, "relation", "keyword");
      out << "    </edge>\n";
    }
  }
  out << "  </graph>\n</graphml>\n";
}

}  // namespace

Status WriteGraphMl(const Catalogue& catalogue, const std::string& path,
                    const analysis::GraphMeasures* measures) {
  AtomicFile file(path);
  if (file.stream()) WriteDocument(file.stream(), catalogue, measures);
  return file.commit();
}

}  // namespace quillon::grapher
