#include "grapher/export/keyword_graphml.h"

#include <string_view>

#include "common/atomic_file.h"
#include "grapher/export/graphml_parts.h"

namespace quillon::grapher {
namespace {

void WriteDocument(std::ostream& out, const Catalogue& catalogue) {
  WriteGraphMlOpening(out);
  out << "  <key id=\"label\" for=\"node\" attr.name=\"label\" attr.type=\"string\"/>\n"
         "  <key id=\"placed\" for=\"node\" attr.name=\"placed\" attr.type=\"boolean\"/>\n"
         "  <key id=\"hasProduct\" for=\"node\" attr.name=\"hasProduct\" attr.type=\"boolean\"/>\n"
         "  <key id=\"x\" for=\"node\" attr.name=\"x\" attr.type=\"double\"/>\n"
         "  <key id=\"y\" for=\"node\" attr.name=\"y\" attr.type=\"double\"/>\n"
         "  <key id=\"weight\" for=\"edge\" attr.name=\"weight\" attr.type=\"double\"/>\n"
         "  <graph id=\"keywords\" edgedefault=\"directed\">\n";
  const auto& keyWords = catalogue.KeyWordTable;
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    const KeyWord& key = keyWords[k];
    out << "    <node id=\"k" << k << "\">\n";
    WriteGraphMlData(out, "label", key.Text);
    WriteGraphMlData(out, "placed", key.Placed ? "true" : "false");
    WriteGraphMlData(out, "hasProduct", key.HasProduct ? "true" : "false");
    WriteGraphMlData(out, "x", GraphMlNumber(key.X));
    WriteGraphMlData(out, "y", GraphMlNumber(key.Y));
    out << "    </node>\n";
  }
  std::size_t edge = 0;
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    const auto& relation = keyWords[k].Relation;
    for (std::size_t m = 0; m < relation.size() && m < keyWords.size(); ++m) {
      if (!(relation[m] > 0)) continue;
      out << "    <edge id=\"e" << edge++ << "\" source=\"k" << k << "\" target=\"k" << m
          << "\">\n";
      WriteGraphMlData(out, "weight", GraphMlNumber(relation[m]));
      out << "    </edge>\n";
    }
  }
  out << "  </graph>\n</graphml>\n";
}

}  // namespace

Status WriteKeyWordGraphMl(const Catalogue& catalogue, const std::string& path) {
  AtomicFile file(path);
  if (file.stream()) WriteDocument(file.stream(), catalogue);
  return file.commit();
}

}  // namespace quillon::grapher
