// Loading a catalogue from a folder of arbitrary record files. The input is cut
// at 0x1E bytes: keywords.txt first, then the records of P0, P1, ... (P0 is the
// start product). The loaded tables must be consistent, whatever the files hold.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/host.h"
#include "grapher/catalogue/load_product_data.h"

namespace {

using namespace quillon;
using namespace quillon::grapher;

class QuietHost final : public Host {
 public:
  void setLabel(Label, std::string_view) override {}
  void processEvents() override {}
  bool askYesNo(std::string_view) override { return false; }
  void showMessage(std::string_view) override {}
  void showError(std::string_view) override {}
};

const std::string& folder() {
  static const std::string path = [] {
    char pattern[] = "/tmp/quillon-load-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return path;
}

void writeFile(const std::string& name, std::string_view bytes) {
  std::ofstream(folder() + "/" + name, std::ios::binary | std::ios::trunc) << bytes;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const auto& entry : std::filesystem::directory_iterator(folder()))
    std::filesystem::remove(entry.path());
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t cut = input.find('\x1E', start);
    parts.push_back(input.substr(start, cut == std::string_view::npos ? cut : cut - start));
    if (cut == std::string_view::npos || parts.size() > 16) break;
    start = cut + 1;
  }
  writeFile("keywords.txt", parts[0]);
  writeFile("StartProductASIN.txt", "P0\r\n");
  for (std::size_t i = 1; i < parts.size(); ++i)
    writeFile("P" + std::to_string(i - 1) + ".xml", parts[i]);

  QuietHost host;
  Catalogue catalogue;
  if (!LoadProductData(folder(), catalogue, host).ok()) return 0;
  const auto& products = catalogue.ProductTable;
  check(!products.empty() && products[0].ASIN == "P0");
  std::unordered_set<std::string> seen;
  for (const Product& p : products) {
    check(seen.insert(p.ASIN).second);
    check(p.SimilarASIN.size() == p.SimilarIndex.size());
    check(p.ReferrerASIN.size() == p.ReferrerIndex.size());
    check(p.KeyWordIndex >= -1 &&
          p.KeyWordIndex < static_cast<std::int32_t>(catalogue.KeyWordTable.size()));
    for (std::size_t k = 0; k < p.SimilarIndex.size(); ++k) {
      const std::int32_t index = p.SimilarIndex[k];
      check(index >= 0 && static_cast<std::size_t>(index) < products.size());
      check(products[static_cast<std::size_t>(index)].ASIN == p.SimilarASIN[k]);
    }
    for (const std::int32_t index : p.ReferrerIndex)
      check(index >= 0 && static_cast<std::size_t>(index) < products.size());
  }
  return 0;
}
