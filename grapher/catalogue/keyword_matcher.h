// Finds the first keyword that a title contains, folding each title only once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_compare.h"

namespace quillon::grapher {

// Gives what a ContainsText test of every keyword in turn gives.
class KeyWordMatcher {
 public:
  explicit KeyWordMatcher(const std::vector<std::string>& keywords)
      : keywords_(keywords.begin(), keywords.end()) {}

  // Index of the first keyword the title contains; -1 for none.
  std::int32_t find(std::string_view title) const {
    const FoldedText folded(title);
    for (std::size_t k = 0; k < keywords_.size(); ++k)
      if (ContainsText(folded, keywords_[k])) return static_cast<std::int32_t>(k);
    return -1;
  }

 private:
  std::vector<FoldedNeedle> keywords_;
};

}  // namespace quillon::grapher
