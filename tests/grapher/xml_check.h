// Reads a written SVG or GraphML file as an XML reader does, so that a test
// sees what a graph tool or browser would: whether it is well formed, and its texts.
#pragma once

#include <QXmlStreamReader>
#include <string>
#include <vector>

namespace quillon::grapher::testing {

struct ParsedXml {
  std::string error;               // empty when the document is well formed
  std::vector<std::string> texts;  // character data of each element, after reference decoding
};

inline ParsedXml ParseXml(const std::string& document) {
  QXmlStreamReader reader(QByteArray::fromStdString(document));
  ParsedXml parsed;
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::Characters && !reader.isWhitespace())
      parsed.texts.push_back(reader.text().toString().toStdString());
  }
  if (reader.hasError())
    parsed.error =
        reader.errorString().toStdString() + " at line " + std::to_string(reader.lineNumber());
  return parsed;
}

}  // namespace quillon::grapher::testing
