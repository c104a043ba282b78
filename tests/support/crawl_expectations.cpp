#include "tests/support/crawl_expectations.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/code_page.h"
#include "common/tag_scanner.h"
#include "common/text_compare.h"
#include "common/working_folder.h"

namespace quillon::testing {

std::set<std::string> ProductsReached(const service::ProductCatalogue& catalogue,
                                      const std::string& start,
                                      const std::vector<std::string>& keywords) {
  std::set<std::string> reached{start};
  std::deque<std::string> waiting{start};
  while (!waiting.empty()) {
    const std::string asin = waiting.front();
    waiting.pop_front();
    const service::CatalogueProduct* product = catalogue.find(asin);
    if (product == nullptr) continue;
    const bool followed = std::any_of(keywords.begin(), keywords.end(), [&](const std::string& k) {
      return ContainsText(product->title, k);
    });
    if (!followed) continue;
    for (const std::string& similar : product->similar)
      if (IsSafeAsin(similar) && reached.insert(similar).second) waiting.push_back(similar);
  }
  return reached;
}

std::set<std::string> RecordFiles(const std::string& folder) {
  std::set<std::string> asins;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".xml")) asins.insert(name.substr(0, name.size() - 4));
  }
  return asins;
}

std::string RecordProblem(const std::string& folder, const std::string& asin) {
  std::ifstream in(folder + "/" + asin + ".xml", std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  const std::string bytes = content.str();
  if (!bytes.ends_with("\r\n")) return asin + ": no line end (partial file)";
  const std::string text = CodePageToUtf8(bytes.substr(0, bytes.size() - 2));
  if (!IsValidResponse(text)) return asin + ": not a valid answer";
  if (!text.ends_with("</ItemLookupResponse>")) return asin + ": answer cut off";
  if (GetTagText(text, "ASIN", 1) != asin && text.find("<Errors>") == std::string::npos)
    return asin + ": the answer of another product";
  return {};
}

void WriteCrawlSettings(const std::string& folder, const std::string& prefix,
                        const std::string& suffix, const std::string& recordFolder) {
  std::ofstream out(folder + "/setting.ini", std::ios::binary | std::ios::trunc);
  out << "[RequestURL]\r\nPrefix=" << prefix << "\r\nSuffix=" << suffix
      << "\r\n[DefaultSetting]\r\nRequestInterval=0\r\nXMLPath=" << recordFolder << "\r\n";
}

}  // namespace quillon::testing
