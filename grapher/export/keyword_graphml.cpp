#include "grapher/export/keyword_graphml.h"

#include <sstream>
#include <string_view>

#include "common/atomic_file.h"
#include "grapher/export/xml_escape.h"

namespace quillon::grapher {
namespace {

std::string Number(double value) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text.precision(9);  // enough digits to give back every 32-bit float exactly
  text << value;
  return text.str();
}

void Data(std::ostream& out, std::string_view key, std::string_view value) {
  out << "      <data key=\"" << key << "\">" << XmlEscape(value) << "</data>\n";
}

void WriteDocument(std::ostream& out, const Catalogue& catalogue) {
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\"\n"
         "         xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
         "         xsi:schemaLocation=\"http://graphml.graphdrawing.org/xmlns "
         "http://graphml.graphdrawing.org/xmlns/1.0/graphml.xsd\">\n"
         "  <key id=\"label\" for=\"node\" attr.name=\"label\" attr.type=\"string\"/>\n"
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
    Data(out, "label", key.Text);
    Data(out, "placed", key.Placed ? "true" : "false");
    Data(out, "hasProduct", key.HasProduct ? "true" : "false");
    Data(out, "x", Number(key.X));
    Data(out, "y", Number(key.Y));
    out << "    </node>\n";
  }
  std::size_t edge = 0;
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    const auto& relation = keyWords[k].Relation;
    for (std::size_t m = 0; m < relation.size() && m < keyWords.size(); ++m) {
      if (!(relation[m] > 0)) continue;
      out << "    <edge id=\"e" << edge++ << "\" source=\"k" << k << "\" target=\"k" << m
          << "\">\n";
      Data(out, "weight", Number(relation[m]));
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
