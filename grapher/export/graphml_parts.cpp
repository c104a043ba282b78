#include "grapher/export/graphml_parts.h"

#include <locale>
#include <sstream>

#include "grapher/export/xml_escape.h"

namespace quillon::grapher {

void WriteGraphMlOpening(std::ostream& out) {
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\"\n"
         "         xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
         "         xsi:schemaLocation=\"http://graphml.graphdrawing.org/xmlns "
         "http://graphml.graphdrawing.org/xmlns/1.0/graphml.xsd\">\n";
}

void WriteGraphMlData(std::ostream& out, std::string_view key, std::string_view value) {
  out << "      <data key=\"" << key << "\">" << XmlEscape(value) << "</data>\n";
}

std::string GraphMlNumber(double value) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text.precision(9);
  text << value;
  return text.str();
}

}  // namespace quillon::grapher
