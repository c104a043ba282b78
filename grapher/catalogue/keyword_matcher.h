// Finds the first keyword that a title contains, folding each title only once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_compare.h"
#include "common/utf8.h"

namespace quillon::grapher {

// Gives what a ContainsText test of every keyword in turn gives: the folding
// comparison walks the title unit by unit from its start, exactly as FoldText
// does, so a byte search in the folded UTF-8 finds the same matches. A keyword
// that is not valid UTF-8 could match inside a character and is searched exactly.
class KeyWordMatcher {
 public:
  explicit KeyWordMatcher(const std::vector<std::string>& keywords) {
    entries_.reserve(keywords.size());
    for (const std::string& keyword : keywords) {
      Entry entry{FoldText(keyword), std::nullopt};
      if (!utf8::IsValid(keyword)) entry.exact.emplace(keyword);
      entries_.push_back(std::move(entry));
    }
  }

  // Index of the first keyword the title contains; -1 for none.
  std::int32_t find(std::string_view title) const {
    if (title.empty()) return -1;  // an empty title contains no keyword, not even ""
    const std::string foldedTitle = FoldText(title);
    for (std::size_t k = 0; k < entries_.size(); ++k) {
      const Entry& entry = entries_[k];
      const bool found = entry.exact ? ContainsText(title, *entry.exact)
                                     : foldedTitle.find(entry.folded) != std::string::npos;
      if (found) return static_cast<std::int32_t>(k);
    }
    return -1;
  }

 private:
  struct Entry {
    std::string folded;
    std::optional<FoldedNeedle> exact;
  };

  std::vector<Entry> entries_;
};

}  // namespace quillon::grapher
