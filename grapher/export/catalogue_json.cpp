#include "grapher/export/catalogue_json.h"

#include <charconv>
#include <cstdio>
#include <sstream>

#include "common/atomic_file.h"
#include "common/numbers.h"
#include "common/utf8.h"

namespace quillon::grapher {
namespace {

// Written piece by piece: a catalogue of 100,000s of products never exists as
// a document tree in memory.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void string(std::string_view text) {
    out_.put('"');
    for (std::size_t i = 0; i < text.size();) {
      const utf8::CodePoint cp = utf8::Decode(text, i);
      i += cp.length;
      if (cp.value >= utf8::kInvalidBase) {
        out_ << "\xEF\xBF\xBD";  // bytes that are not UTF-8 become U+FFFD
      } else if (cp.value == '"' || cp.value == '\\') {
        out_.put('\\').put(static_cast<char>(cp.value));
      } else if (cp.value < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(cp.value));
        out_ << escape;
      } else {
        out_.write(text.data() + i - cp.length, cp.length);
      }
    }
    out_.put('"');
  }

  // The shortest text that reads back as the same float: 0.1f is written as 0.1.
  void number(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    const std::string_view digits(text, static_cast<std::size_t>(end - text));
    // JSON has no infinities or NaN; a position that is not finite is null.
    if (digits.find_first_of("in") != std::string_view::npos) {
      out_ << "null";
      return;
    }
    out_ << digits;
  }
  void number(std::int32_t value) { out_ << value; }
  // The shortest text that reads back as the same double.
  void number(double value) { out_ << ShortestText(value); }
  void boolean(bool value) { out_ << (value ? "true" : "false"); }

  template <class T>
  void list(const std::vector<T>& values) {
    out_.put('[');
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (i > 0) out_.put(',');
      item(values[i]);
    }
    out_.put(']');
  }

  // Starts the member `name` of an object; the first member of each object
  // comes without a comma.
  void key(std::string_view name, bool first = false) {
    out_ << (first ? "{" : ",");
    string(name);
    out_.put(':');
  }
  void endObject() { out_.put('}'); }
  std::ostream& raw() { return out_; }

 private:
  void item(const std::string& text) { string(text); }
  void item(std::int32_t value) { number(value); }
  void item(float value) { number(value); }

  std::ostream& out_;
};

void WriteMeasures(JsonWriter& json, const analysis::GraphMeasures& m, std::size_t i) {
  json.key("InDegree");
  json.number(m.InDegree[i]);
  json.key("OutDegree");
  json.number(m.OutDegree[i]);
  json.key("PageRank");
  json.number(m.PageRank[i]);
  json.key("Community");
  json.number(m.Community[i]);
  json.key("Component");
  json.number(m.Component[i]);
}

void WriteProduct(JsonWriter& json, const Product& product) {
  json.key("ASIN", true);
  json.string(product.ASIN);
  json.key("Title");
  json.string(product.Title);
  json.key("SalesRank");
  json.number(product.SalesRank);
  json.key("KeyWordIndex");
  json.number(product.KeyWordIndex);
  json.key("SimilarASIN");
  json.list(product.SimilarASIN);
  json.key("SimilarIndex");
  json.list(product.SimilarIndex);
  json.key("ReferrerASIN");
  json.list(product.ReferrerASIN);
  json.key("ReferrerIndex");
  json.list(product.ReferrerIndex);
  json.key("X");
  json.number(product.X);
  json.key("Y");
  json.number(product.Y);
  json.key("Placed");
  json.number(product.Placed);
}

void WriteKeyWord(JsonWriter& json, const KeyWord& keyword) {
  json.key("Text", true);
  json.string(keyword.Text);
  json.key("HasProduct");
  json.boolean(keyword.HasProduct);
  json.key("Placed");
  json.boolean(keyword.Placed);
  json.key("X");
  json.number(keyword.X);
  json.key("Y");
  json.number(keyword.Y);
  json.key("Relation");
  json.list(keyword.Relation);
  json.endObject();
}

void WriteCatalogue(std::ostream& out, const Catalogue& catalogue,
                    const analysis::GraphMeasures* measures) {
  JsonWriter json(out);
  const bool measured = measures != nullptr && measures->size() == catalogue.ProductTable.size();
  out << "{\"products\":[";
  for (std::size_t i = 0; i < catalogue.ProductTable.size(); ++i) {
    out << (i > 0 ? ",\n" : "\n");
    WriteProduct(json, catalogue.ProductTable[i]);
    if (measured) WriteMeasures(json, *measures, i);
    json.endObject();
  }
  out << "\n],\"keywords\":[";
  for (std::size_t k = 0; k < catalogue.KeyWordTable.size(); ++k) {
    out << (k > 0 ? ",\n" : "\n");
    WriteKeyWord(json, catalogue.KeyWordTable[k]);
  }
  out << "\n]}\n";
}

}  // namespace

std::string CatalogueToJson(const Catalogue& catalogue, const analysis::GraphMeasures* measures) {
  std::ostringstream out;
  WriteCatalogue(out, catalogue, measures);
  return out.str();
}

Status WriteCatalogueJson(const Catalogue& catalogue, const std::string& path,
                          const analysis::GraphMeasures* measures) {
  AtomicFile file(path);
  if (file.stream()) WriteCatalogue(file.stream(), catalogue, measures);
  return file.commit();
}

}  // namespace quillon::grapher
