#include "grapher/export/catalogue_csv.h"

#include <algorithm>

#include "common/atomic_file.h"
#include "common/numbers.h"
#include "common/utf8.h"

namespace quillon::grapher {
namespace {

// A field quoted when it holds a comma, a quote or a line break; quotes
// doubled; bytes that are not UTF-8 become U+FFFD so the file is valid UTF-8.
void Field(std::ostream& out, std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const utf8::CodePoint cp = utf8::Decode(text, i);
    if (cp.value >= utf8::kInvalidBase)
      clean += "\xEF\xBF\xBD";
    else
      clean.append(text, i, cp.length);
    i += cp.length;
  }
  if (clean.find_first_of(",\"\r\n") == std::string::npos) {
    out << clean;
    return;
  }
  out.put('"');
  for (const char c : clean) {
    if (c == '"') out.put('"');
    out.put(c);
  }
  out.put('"');
}

}  // namespace

void WriteCatalogueCsv(std::ostream& out, const Catalogue& catalogue,
                       const analysis::GraphMeasures& measures,
                       std::span<const std::int32_t> rows) {
  out << kCsvHeader << "\r\n";
  const auto& products = catalogue.ProductTable;
  const auto& keyWords = catalogue.KeyWordTable;
  const std::size_t count = std::min(products.size(), measures.size());
  for (const std::int32_t row : rows) {
    if (row < 0 || static_cast<std::size_t>(row) >= count) continue;
    const auto i = static_cast<std::size_t>(row);
    const Product& p = products[i];
    Field(out, p.ASIN);
    out.put(',');
    Field(out, p.Title);
    out << ',' << p.SalesRank << ',';
    if (p.KeyWordIndex >= 0 && static_cast<std::size_t>(p.KeyWordIndex) < keyWords.size())
      Field(out, keyWords[static_cast<std::size_t>(p.KeyWordIndex)].Text);
    out << ',' << measures.InDegree[i] << ',' << measures.OutDegree[i] << ',';
    out << ShortestText(measures.PageRank[i]);
    out << ',' << measures.Community[i] << ',' << measures.Component[i] << "\r\n";
  }
}

void WriteCatalogueCsv(std::ostream& out, const Catalogue& catalogue,
                       const analysis::GraphMeasures& measures, const std::vector<bool>* shown) {
  std::vector<std::int32_t> rows;
  const std::size_t count = std::min(catalogue.ProductTable.size(), measures.size());
  rows.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    if (shown == nullptr || i >= shown->size() || (*shown)[i])
      rows.push_back(static_cast<std::int32_t>(i));
  WriteCatalogueCsv(out, catalogue, measures, rows);
}

Status WriteCatalogueCsv(const Catalogue& catalogue, const analysis::GraphMeasures& measures,
                         const std::string& path, const std::vector<bool>* shown) {
  AtomicFile file(path);
  if (file.stream()) WriteCatalogueCsv(file.stream(), catalogue, measures, shown);
  return file.commit();
}

Status WriteCatalogueCsv(const Catalogue& catalogue, const analysis::GraphMeasures& measures,
                         const std::string& path, std::span<const std::int32_t> rows) {
  AtomicFile file(path);
  if (file.stream()) WriteCatalogueCsv(file.stream(), catalogue, measures, rows);
  return file.commit();
}

}  // namespace quillon::grapher
