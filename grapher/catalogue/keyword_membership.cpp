#include "grapher/catalogue/keyword_membership.h"

#include <string>
#include <string_view>

#include "common/text_compare.h"
#include "common/utf8.h"

namespace quillon::grapher {
namespace {

// A text folded once. For valid UTF-8 a plain byte search in folded texts finds
// exactly what the code-point comparison finds, since UTF-8 synchronises itself.
struct FoldedText {
  explicit FoldedText(std::string_view text) : folded(FoldText(text)), valid(utf8::IsValid(text)) {}
  std::string folded;
  bool valid;
};

}  // namespace

KeyWordMembership::KeyWordMembership(const Catalogue& catalogue)
    : products_(catalogue.KeyWordTable.size()), keyWords_(catalogue.ProductTable.size()) {
  const auto& products = catalogue.ProductTable;
  std::vector<FoldedText> titles;
  titles.reserve(products.size());
  for (const Product& p : products) titles.emplace_back(p.Title);

  for (std::size_t k = 0; k < catalogue.KeyWordTable.size(); ++k) {
    const std::string& text = catalogue.KeyWordTable[k].Text;
    const FoldedText key(text);
    const FoldedNeedle needle(text);
    for (std::size_t p = 0; p < products.size(); ++p) {
      const FoldedText& title = titles[p];
      // Broken UTF-8 on either side takes the general comparison.
      const bool contains =
          key.valid && title.valid
              ? !products[p].Title.empty() && title.folded.find(key.folded) != std::string::npos
              : ContainsText(products[p].Title, needle);
      if (!contains) continue;
      products_[k].push_back(static_cast<std::int32_t>(p));
      keyWords_[p].push_back(static_cast<std::int32_t>(k));
    }
  }
}

}  // namespace quillon::grapher
